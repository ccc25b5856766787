// The kind words that open a scene description.
#include "scenedesc/scene_description_kind.h"

#include "meshfile/line_reader.h"

bool beginsAsSceneDescription(const Line& first) {
    return first.startsWith("FICHIER_VNT", 11) || first.startsWith("FICHIER_VNS", 11);
}
