// The demo's page as a user meets it in headless Chromium: the start question, the windowed
// canvas with the cubes and the overlay, the effect keys, F1, the refused fullscreen, the
// capability messages and Escape.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import { dialog, framesLater, openPage, tap, programCanvas, region, serve, startBrowser } from './browser.mjs';

let server, browser, close, origin;
before(async () => {
  server = await serve();
  origin = `http://127.0.0.1:${server.address().port}`;
  ({ browser, close } = await startBrowser());
});
after(async () => {
  if (close) await close();
  if (server) server.close();
});

const startQuestion = { title: 'Start FullScreen?', text: 'Fullscreen Mode?', buttons: ['Yes', 'No'] };
// The overlay's two answers, "Yes" or "No" in red after each line's blue label.
const answerOfLine = [[320, 712, 80, 20], [320, 732, 80, 20]];

async function answerNo(page) {
  assert.deepEqual(await dialog(page), startQuestion);
  await page.click('.vorn-dialog button:nth-child(2)');
  await page.waitForSelector(programCanvas);
}

async function endsWithEscape(page) {
  await tap(page, 'Escape');
  await page.waitForFunction(() => document.body.dataset.state === 'ended', { timeout: 10000 });
  assert.equal(await page.$eval('#ended', (e) => e.hidden), false);
  assert.match(await page.$eval('#ended', (e) => e.textContent), /The demo has ended/);
  assert.equal(await page.evaluate(() => window.vornPage.exitCode), 0);
  assert.equal(await page.$(programCanvas), null);
}

test('the start question, No, the windowed canvas with cubes and overlay, Escape', async () => {
  const page = await openPage(browser);
  const opened = performance.now();
  await page.goto(origin + '/');
  assert.deepEqual(await dialog(page), startQuestion);
  const asked = performance.now();
  await page.click('.vorn-dialog button:nth-child(2)');
  await page.waitForFunction(() => window.vornPage.framesShown > 0, { polling: 'raf' });
  const drawn = performance.now();
  console.log(`# measured: question ${Math.round(asked - opened)} ms after opening, ` +
    `first frame ${Math.round(drawn - asked)} ms after No`);
  await framesLater(page, 30);
  const size = await page.$eval(programCanvas, (c) => [c.width, c.height, document.fullscreenElement]);
  assert.deepEqual(size, [1024, 768, null]);
  // The cubes fill the middle; the caption and the two French lines sit on the overlay.
  assert.ok((await region(page, programCanvas, 312, 234, 400, 300)).lit > 40000);
  assert.ok((await region(page, programCanvas, 10, 10, 460, 50)).lit > 500);
  assert.ok((await region(page, programCanvas, 10, 712, 310, 40)).blue > 500);
  const seconds = 2;
  const before = await page.evaluate(() => window.vornPage.framesShown);
  await new Promise((resolve) => setTimeout(resolve, seconds * 1000));
  const frames = await page.evaluate(() => window.vornPage.framesShown) - before;
  console.log(`# measured: ${(frames / seconds).toFixed(0)} frames a second`);
  await endsWithEscape(page);
  // The ended page starts the demo again: the question once more.
  await Promise.all([page.waitForNavigation(), page.click('#restart')]);
  assert.deepEqual(await dialog(page), startQuestion);
  await page.close();
});

test('keypad 1 and keypad 2 flip their answers on the overlay', async () => {
  const page = await openPage(browser, origin + '/');
  await answerNo(page);
  await framesLater(page, 10);
  // The browser's own actions (scrolling, help) are not taken for the program's keys.
  await page.evaluate(() => {
    window.prevented = [];
    window.addEventListener('keydown', (e) => window.prevented.push([e.code, e.defaultPrevented]));
  });
  for (const key of ['ArrowDown', 'ArrowLeft', ' ', 'Numpad3']) await page.keyboard.press(key);
  assert.deepEqual(await page.evaluate(() => window.prevented),
    [['ArrowDown', true], ['ArrowLeft', true], ['Space', true], ['Numpad3', true]]);
  for (const [key, line] of [['Numpad1', 0], ['Numpad2', 1]]) {
    const other = answerOfLine[1 - line];
    const readAnswer = async (index) => region(page, programCanvas, ...answerOfLine[index]);
    const before = await readAnswer(line), otherBefore = await readAnswer(1 - line);
    assert.ok(before.red > 20, `line ${line + 1} shows an answer`);
    await tap(page, key);
    await framesLater(page, 30);
    const flipped = await readAnswer(line);
    assert.notEqual(flipped.sum, before.sum, `${key} changes its answer`);
    assert.equal((await region(page, programCanvas, ...other)).sum, otherBefore.sum,
      `${key} leaves the other answer`);
    await tap(page, key);
    await framesLater(page, 30);
    assert.equal((await readAnswer(line)).sum, before.sum, `${key} again flips it back`);
  }
  await endsWithEscape(page);
  await page.close();
});

test('F1 goes to fullscreen with the canvas scaled, Escape ends it there', async () => {
  const page = await openPage(browser, origin + '/');
  await answerNo(page);
  await framesLater(page, 10);
  await tap(page, 'F1');
  await page.waitForFunction(() => document.fullscreenElement !== null &&
    document.querySelector('canvas.vorn-window:not([hidden])'), { timeout: 10000 });
  await framesLater(page, 10);
  const shown = await page.$eval(programCanvas, (c) => [c.width, c.height, getComputedStyle(c).objectFit]);
  assert.deepEqual(shown, [1024, 768, 'contain']);
  assert.ok((await region(page, programCanvas, 312, 234, 400, 300)).lit > 40000, 'the scene is reloaded');
  // F1 again: windowed, the scene reloaded once more; and back to fullscreen, where Escape ends.
  await tap(page, 'F1');
  await page.waitForFunction(() => document.fullscreenElement === null &&
    document.querySelector('canvas.vorn-window:not([hidden])'), { timeout: 10000 });
  await framesLater(page, 10);
  assert.ok((await region(page, programCanvas, 312, 234, 400, 300)).lit > 40000);
  await tap(page, 'F1');
  await page.waitForFunction(() => document.fullscreenElement !== null, { timeout: 10000 });
  await framesLater(page, 10);
  await endsWithEscape(page);
  await page.close();
});

test('Yes in a browser that refuses fullscreen: the "Kovo GL" question, then the windowed canvas', async () => {
  const page = await openPage(browser);
  await page.evaluateOnNewDocument(() => {
    Element.prototype.requestFullscreen = () => Promise.reject(new TypeError('refused'));
  });
  await page.goto(origin + '/');
  assert.deepEqual(await dialog(page), startQuestion);
  await page.keyboard.press('KeyY');
  await page.waitForFunction(() => document.querySelector('.vorn-dialog-title')?.textContent === 'Kovo GL');
  assert.deepEqual(await dialog(page), { title: 'Kovo GL', buttons: ['Yes', 'No'],
    text: 'The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use Windowed Mode Instead?' });
  // The line break is shown as one.
  assert.ok(await page.$eval('.vorn-dialog-text', (e) => e.getClientRects()[0].height > 30));
  await page.keyboard.press('Enter');
  await page.waitForSelector(programCanvas);
  await framesLater(page, 10);
  assert.equal(await page.evaluate(() => document.fullscreenElement), null);
  // F1 asks again, and No to the question closes the demo as on the desktop.
  await tap(page, 'F1');
  assert.equal((await dialog(page)).title, 'Kovo GL');
  await page.keyboard.press('KeyN');
  assert.deepEqual(await dialog(page), { title: 'ERROR', text: 'Program Will Now Close.', buttons: ['OK'] });
  await page.keyboard.press('Enter');
  await page.waitForFunction(() => document.body.dataset.state === 'ended');
  await page.close();
});

const capabilityCases = [
  { hide: 'GL_ARB_multitexture', messages: ['Votre carte graphique ne supporte pas le multitexturing'] },
  { hide: 'GL_EXT_texture_env_dot3', messages: ['Votre carte graphique ne supporte pas le BumpMapping'] },
  { hide: 'GL_ARB_multitexture,GL_EXT_texture_env_combine', messages: [
    'Votre carte graphique ne supporte pas le multitexturing',
    'Votre carte graphique ne supporte pas le BumpMapping'] },
];
for (const { hide, messages } of capabilityCases) {
  test(`?hide=${hide}: the capability messages, then the demo without the switches`, async () => {
    const page = await openPage(browser, `${origin}/?hide=${hide}`);
    await answerNo(page);
    for (const text of messages) {
      assert.deepEqual(await dialog(page), { title: 'Erreur', text, buttons: ['OK'] });
      await page.keyboard.press('Enter');
      await page.waitForFunction((shown) => document.querySelector('.vorn-dialog-text')?.textContent !== shown,
        {}, text);
    }
    await framesLater(page, 10);
    assert.equal(await page.$('.vorn-dialog'), null);
    assert.ok((await region(page, programCanvas, 312, 234, 400, 300)).lit > 40000);
    await endsWithEscape(page);
    await page.close();
  });
}

test('a hidden page is a minimised window: no frames until it is seen again', async () => {
  const page = await openPage(browser, origin + '/');
  await answerNo(page);
  await framesLater(page, 10);
  const setHidden = (hidden) => page.evaluate((hidden) => {
    Object.defineProperty(document, 'hidden', { value: hidden, configurable: true });
    Object.defineProperty(document, 'visibilityState', { value: hidden ? 'hidden' : 'visible', configurable: true });
    document.dispatchEvent(new Event('visibilitychange'));
  }, hidden);
  await setHidden(true);
  await new Promise((resolve) => setTimeout(resolve, 300));
  const hiddenAt = await page.evaluate(() => window.vornPage.framesShown);
  await new Promise((resolve) => setTimeout(resolve, 1000));
  assert.equal(await page.evaluate(() => window.vornPage.framesShown), hiddenAt, 'no frames while hidden');
  await setHidden(false);
  await framesLater(page, 10);
  await endsWithEscape(page);
  await page.close();
});
