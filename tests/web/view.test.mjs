// The viewer's page in headless Chromium: pictures after a number of frames against the native
// vorn-view's through the same drawing layer, the author's own files picked, and hostile images
// that get the native message while the page goes on.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import zlib from 'node:zlib';
import { after, before, test } from 'node:test';
import { compareWithPicture, dialog, framesLater, openPage, programCanvas, region, serve, startBrowser, tap } from './browser.mjs';

const repository = path.resolve(path.dirname(new URL(import.meta.url).pathname), '../..');
let server, browser, close, origin, files;
// The pictures are taken in a browser that renders text as the native viewer does.
let glyphsAsNative;
before(async () => {
  server = await serve();
  origin = `http://127.0.0.1:${server.address().port}`;
  ({ browser, close } = await startBrowser());
  glyphsAsNative = await startBrowser({ nativeGlyphs: true });
  files = fs.mkdtempSync(path.join(os.tmpdir(), 'vorn-view-files-'));
});
after(async () => {
  if (glyphsAsNative) await glyphsAsNative.close();
  if (close) await close();
  if (server) server.close();
  if (files) fs.rmSync(files, { recursive: true, force: true });
});

const frames = 30;
const pictureCases = [
  { name: 'the example scene', scene: 'scene/example.vnt', camera: '0' },
  { name: "the demo's scene", scene: 'scene/2cube.vno' },
];

// The native viewer drawing through the fixed-function layer (VORN_NATIVE_VIEW, run on a
// display): the picture the page's must match.
const nativeView = process.env.VORN_NATIVE_VIEW;
for (const { name, scene, camera } of pictureCases) {
  test(`view.html draws ${name} after ${frames} frames as vorn-view --renderer es2 does`, async (t) => {
    const query = new URLSearchParams({ scene, size: '1024x768', frames: String(frames) });
    if (camera !== undefined) query.set('camera', camera);
    const page = await openPage(glyphsAsNative.browser, `${origin}/view.html?${query}`);
    await page.waitForSelector('#picture[data-state]', { timeout: 30000 });
    assert.equal(await page.$eval('#picture', (c) => c.dataset.state), 'done', page.messages.join('\n'));
    assert.deepEqual(await page.$eval('#picture', (c) => [c.width, c.height]), [1024, 768]);
    assert.ok((await region(page, '#picture', 312, 234, 400, 300)).lit > 10000, 'the cubes are drawn');
    if (!nativeView) {
      t.diagnostic('VORN_NATIVE_VIEW not given: the native picture is not compared');
      await page.close();
      return;
    }
    const native = path.join(files, `native-${path.basename(scene)}.png`);
    const args = [scene, '--renderer', 'es2', '--size', '1024x768', '--frames', String(frames),
      '--screenshot', native];
    if (camera !== undefined) args.push('--camera', camera);
    execFileSync(nativeView, args, { cwd: repository, stdio: ['ignore', 'ignore', 'pipe'] });
    const difference = await compareWithPicture(page, '#picture', fs.readFileSync(native), 4);
    t.diagnostic(`pixels more than 4 levels apart: ${(difference.share * 100).toFixed(3)} %, ` +
      `largest difference ${difference.largest}`);
    assert.ok(difference.share <= 0.01, JSON.stringify(difference));
    await page.close();
  });
}

test('the viewer in its window: "Chargement Terminé" in a dialog, then the scene', async () => {
  const page = await openPage(browser, `${origin}/view.html?scene=scene/example.vnt&size=800x600`);
  assert.deepEqual(await dialog(page, 20000), { title: 'Information', text: 'Chargement Terminé', buttons: ['OK'] });
  await page.click('.vorn-dialog button');
  await page.waitForSelector(programCanvas);
  await framesLater(page, 10);
  assert.deepEqual(await page.$eval(programCanvas, (c) => [c.width, c.height]), [800, 600]);
  assert.ok((await region(page, programCanvas, 0, 0, 800, 600)).lit > 10000);
  // vorn-view's keys and mouse: Tab leaves the scene's camera for the orbit view (the overlay's
  // camera line changes), a drag turns it, L hides the light markers.
  const cameraLine = () => region(page, programCanvas, 0, 130, 400, 20);
  const scene = () => region(page, programCanvas, 0, 180, 800, 400);
  const before = await cameraLine();
  await tap(page, 'Tab');
  await framesLater(page, 10);
  assert.notEqual((await cameraLine()).sum, before.sum, 'Tab changes the camera');
  const unturned = await scene();
  const box = await page.$eval(programCanvas, (c) => { const r = c.getBoundingClientRect(); return [r.left, r.top]; });
  await page.mouse.move(box[0] + 400, box[1] + 300);
  await page.mouse.down();
  for (let step = 1; step <= 10; ++step) await page.mouse.move(box[0] + 400 + step * 15, box[1] + 300);
  await page.mouse.up();
  await framesLater(page, 10);
  assert.notEqual((await scene()).sum, unturned.sum, 'a drag turns the view');
  await tap(page, 'Escape');
  await page.waitForFunction(() => document.body.dataset.state === 'ended');
  await page.close();
});

// A PNG whose header claims 60000 x 60000 pixels and that holds none of them.
function pngClaiming(width, height, pixels = Buffer.alloc(0)) {
  const chunk = (type, data) => {
    const length = Buffer.alloc(4);
    length.writeUInt32BE(data.length);
    const body = Buffer.concat([Buffer.from(type, 'latin1'), data]);
    let crc = ~0;
    for (const byte of body) {
      crc ^= byte;
      for (let k = 0; k < 8; ++k) crc = (crc >>> 1) ^ (0xedb88320 & -(crc & 1));
    }
    const sum = Buffer.alloc(4);
    sum.writeUInt32BE((~crc) >>> 0);
    return Buffer.concat([length, body, sum]);
  };
  const header = Buffer.alloc(13);
  header.writeUInt32BE(width, 0);
  header.writeUInt32BE(height, 4);
  header.set([8, 6, 0, 0, 0], 8);
  return Buffer.concat([Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]),
    ...(pixels.length > 0 ? [chunk('IDAT', pixels)] : []), chunk('IEND', Buffer.alloc(0))]);
}

// Picks the files as a user does; the page starts the viewer again on them.
async function pick(page, names) {
  const input = await page.waitForSelector('#pick');
  await Promise.all([page.waitForNavigation(), input.uploadFile(...names.map((name) => path.join(files, name)))]);
}

test('hostile images in a picked mesh file: the native message for each, and the page goes on', async () => {
  const sceneFolder = path.join(repository, 'scene');
  const mesh = fs.readFileSync(path.join(sceneFolder, '2cube.vno'), 'latin1')
    .replace('scene/stone_bricks.png', 'textures/bomb.png')
    .replace('scene/wood_planks.tga', 'C:\\art\\cut.tga')
    .replace('scene/detail_dots.bmp', 'noise.bmp');
  fs.writeFileSync(path.join(files, 'hostile.vno'), mesh, 'latin1');
  fs.writeFileSync(path.join(files, 'bomb.png'), pngClaiming(60000, 60000));
  fs.writeFileSync(path.join(files, 'cut.tga'), fs.readFileSync(path.join(sceneFolder, 'wood_planks.tga')).subarray(0, 300));
  fs.writeFileSync(path.join(files, 'noise.bmp'), Buffer.concat([Buffer.from('BM'), Buffer.alloc(4000, 0xff)]));
  const kept = ['stone_bricks_bump.png', 'wood_planks_bump.tga', 'detail_fibre.bmp'];
  for (const name of kept) fs.copyFileSync(path.join(sceneFolder, name), path.join(files, name));

  const page = await openPage(browser, `${origin}/view.html`);
  await pick(page, ['hostile.vno', 'bomb.png', 'cut.tga', 'noise.bmp', ...kept]);
  const told = [];
  for (let i = 0; i < 3; ++i) {
    const shown = await dialog(page, 20000);
    assert.equal(shown.title, 'Erreur');
    assert.deepEqual(shown.buttons, ['OK']);
    told.push(shown.text);
    await page.keyboard.press('Enter');
    await page.waitForFunction((text) => document.querySelector('.vorn-dialog-text')?.textContent !== text, {}, shown.text);
  }
  assert.deepEqual(told.sort(), ['Probleme de chargement du fichier C:\\art\\cut.tga',
    'Probleme de chargement du fichier noise.bmp', 'Probleme de chargement du fichier textures/bomb.png']);
  await page.waitForSelector(programCanvas, { timeout: 20000 });
  await framesLater(page, 10);
  assert.ok((await region(page, programCanvas, 0, 0, 1024, 768)).lit > 1000, 'the mesh is drawn without them');
  const memory = await page.evaluate(() => window.Module.HEAP8.length);
  assert.ok(memory <= 512 * 1024 * 1024, `memory ${memory}`);
  await page.close();
});

test('an image larger than the page may grow to: the message, not an abort, and the page goes on', async () => {
  // 8192 x 8192 black pixels: 256 MB decoded, more than the 512 MB cap leaves for its copies.
  const side = 8192;
  const rows = zlib.deflateSync(Buffer.alloc(side * (side * 4 + 1)), { level: 9 });
  fs.writeFileSync(path.join(files, 'huge.png'), pngClaiming(side, side, rows));
  const sceneFolder = path.join(repository, 'scene');
  fs.writeFileSync(path.join(files, 'huge.vno'), fs.readFileSync(path.join(sceneFolder, '2cube.vno'), 'latin1')
    .replace('scene/stone_bricks.png', 'huge.png'), 'latin1');
  const page = await openPage(browser, `${origin}/view.html`);
  await pick(page, ['huge.vno', 'huge.png']);
  assert.deepEqual(await dialog(page, 60000), { title: 'Erreur', text: 'Probleme de chargement du fichier huge.png', buttons: ['OK'] });
  await page.keyboard.press('Enter');
  await page.waitForFunction(() => !document.querySelector('.vorn-dialog') || document.querySelector('.vorn-dialog-text').textContent !== 'Probleme de chargement du fichier huge.png');
  await page.waitForSelector(programCanvas, { timeout: 20000 });
  assert.equal(await page.$eval('#status', (e) => e.textContent), '', 'the program did not stop');
  await page.close();
});

// Takes the page's memory as far as its cap but for `spare` bytes, before each program of the
// page starts: memory used up by what came before, as a long visit may leave it.
async function leaveOnlySpareMemory(page, spare) {
  await page.evaluateOnNewDocument((spare) => {
    let module;
    Object.defineProperty(window, 'Module', { configurable: true, get: () => module, set: (value) => {
      module = value;
      if (!value || value.memoryTaken) return;
      value.memoryTaken = true;
      const start = value.onRuntimeInitialized;
      value.onRuntimeInitialized = () => {
        const kept = value._malloc(spare);
        for (let size = 64 << 20; size >= 4096; size >>= 1) while (value._malloc(size) !== 0);
        value._free(kept);
        start();
      };
    } });
  }, spare);
}

test('a mesh file larger than the memory left: the page says memory ran out, no abort, and offers a restart', async () => {
  // 60,000 faces: their array grows past the 8 MB left.
  const sceneFolder = path.join(repository, 'scene');
  const cubes = fs.readFileSync(path.join(sceneFolder, '2cube.vno'), 'latin1');
  const face = cubes.slice(cubes.indexOf('FACE 0\n'), cubes.indexOf('FACE 1\n'));
  const faces = Array.from({ length: 60000 }, (_, i) => face.replace('FACE 0', `FACE ${i}`));
  fs.writeFileSync(path.join(files, 'many.vno'),
    cubes.slice(0, cubes.indexOf('FACE 0\n')) + faces.join('') + 'FIN_MESH\n', 'latin1');
  const images = ['stone_bricks.png', 'stone_bricks_bump.png', 'detail_dots.bmp', 'wood_planks.tga',
    'wood_planks_bump.tga', 'detail_fibre.bmp'];
  for (const name of images) fs.copyFileSync(path.join(sceneFolder, name), path.join(files, name));
  const page = await openPage(browser);
  await leaveOnlySpareMemory(page, 8 << 20);
  await page.goto(`${origin}/view.html`);
  await pick(page, ['many.vno', ...images]);
  const shown = await dialog(page, 20000);
  assert.deepEqual(shown, { title: 'Out of memory', buttons: ['OK'],
    text: 'The program needed more memory than the 512 MB this page may use, and has stopped.' });
  await page.keyboard.press('Enter');
  await page.waitForFunction(() => document.body.dataset.state === 'ended' && !document.querySelector('.vorn-dialog'));
  assert.equal(await page.$eval('#ended', (e) => e.hidden), false, 'the page offers a restart');
  assert.equal(await page.$eval('#status', (e) => e.textContent), '', 'no abort');
  assert.ok(!page.messages.some((m) => /abort/i.test(m)), page.messages.join('\n'));
  await page.close();
});

test('a picked file that is no mesh file: the native message in a dialog', async () => {
  fs.writeFileSync(path.join(files, 'notes.vno'), 'not a mesh file\n');
  const page = await openPage(browser, `${origin}/view.html`);
  await pick(page, ['notes.vno']);
  assert.deepEqual(await dialog(page, 20000), { title: 'Erreur', text: 'Format de fichier inconnu', buttons: ['OK'] });
  await page.keyboard.press('Enter');
  await page.waitForFunction(() => !document.querySelector('.vorn-dialog'));
  await page.close();
});

test("the page's glyphs: a soft hyphen is the font's hyphen, as Windows and FreeType draw it", async () => {
  const page = await openPage(browser, `${origin}/view.html`);
  const [hyphen, soft] = await page.evaluate(() => {
    const font = window.vornPage.openFont('Arial', 20, 700);
    return [0x2d, 0xad].map((code) => {
      const glyph = window.vornPage.renderGlyph(font, code);
      return { ...glyph, bits: Array.from(glyph.bits) };
    });
  });
  assert.ok(hyphen.advance > 0 && hyphen.bits.some((byte) => byte !== 0));
  assert.deepEqual(soft, hyphen);
  await page.close();
});
