// The procedural pictures of the demo scene: base, detail and bump maps of its two materials.
// Each maker is a pure function with its own fixed seed, so every run draws the same pixels.
#pragma once

#include "image.h"

namespace makescene {

// Staggered stone bricks in warm and grey tones with light mortar; 256 x 256, tiles both ways.
Image makeStoneBricks();
// Near white brick faces with pits, dark mortar grooves and bevelled edges; lines up with
// makeStoneBricks.
Image makeStoneBricksBump();
// Four horizontal oak planks with grain, butt joints and nails; 256 x 256, tiles both ways.
Image makeWoodPlanks();
// Grooves between the planks only, the same along every row, so the planks may slide along
// u over it and still line up.
Image makeWoodPlanksBump();
// Fine round grain for the stone: grey of mean 0.5, so that doubling it keeps the base's
// brightness; 128 x 128, tiles both ways.
Image makeDotsDetail();
// Fine grain stretched along u, for the wood: grey of mean 0.5; 128 x 128, tiles both ways.
Image makeFibreDetail();

}  // namespace makescene
