// What the web tests share: the built pages served from 127.0.0.1, the browser started with a
// profile of its own under the temporary folder, and everything both leave behind removed when
// the tests end.
import { spawn } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

const testsFolder = import.meta.dirname ?? path.dirname(new URL(import.meta.url).pathname);
export const pagesFolder = process.env.VORN_WEB_PAGES || path.resolve(testsFolder, '../../dist/vorn-web');

const types = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.wasm': 'application/wasm',
  '.css': 'text/css', '.data': 'application/octet-stream' };

// A static server of the pages on a free port of 127.0.0.1.
export function serve(folder = pagesFolder) {
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://x').pathname);
    const file = path.join(folder, name === '/' ? 'index.html' : name);
    if (!file.startsWith(folder) || !fs.existsSync(file) || fs.statSync(file).isDirectory()) {
      response.writeHead(404);
      response.end();
      return;
    }
    response.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' });
    fs.createReadStream(file).pipe(response);
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

// Debian's Chromium, headless, unless VORN_WEB_BROWSER=firefox (Debian's firefox-esr, through
// WebDriver BiDi) or VORN_WEB_HEADLESS=0 (a window on $DISPLAY) ask for another. With
// `nativeGlyphs` the browser renders text as the native programs do (native-glyphs.conf).
export async function startBrowser({ nativeGlyphs = false } = {}) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'vorn-browser-'));
  const headless = process.env.VORN_WEB_HEADLESS !== '0';
  const options = process.env.VORN_WEB_BROWSER === 'firefox' ? {
    browser: 'firefox',
    executablePath: process.env.VORN_FIREFOX || '/usr/bin/firefox-esr',
    headless,
    userDataDir: profile,
  } : {
    executablePath: process.env.VORN_CHROMIUM || '/usr/bin/chromium',
    headless,
    // Without a GPU, WebGL on SwiftShader: a window's Chromium offers it only when asked.
    args: ['--no-sandbox', '--disable-gpu', '--enable-unsafe-swiftshader', '--disable-quic',
      '--no-first-run', '--disable-background-networking', '--disable-component-update',
      '--disable-sync', `--user-data-dir=${profile}`],
  };
  if (nativeGlyphs)
    options.env = { ...process.env, FONTCONFIG_FILE: path.join(testsFolder, 'native-glyphs.conf') };
  let browser;
  try {
    browser = await puppeteer.launch(options);
  } catch (error) {
    fs.rmSync(profile, { recursive: true, force: true });
    throw error;
  }
  const close = async () => {
    await browser.close().catch(() => {});
    fs.rmSync(profile, { recursive: true, force: true });
  };
  return { browser, close };
}

// A page of its own, its messages kept for a failing test to show.
export async function openPage(browser, url) {
  const page = await browser.newPage();
  await page.setViewport({ width: 1280, height: 1000 });
  page.messages = [];
  page.on('console', (message) => page.messages.push(message.text()));
  page.on('pageerror', (error) => page.messages.push('page error: ' + error.message));
  if (url) await page.goto(url);
  return page;
}

// The dialog shown now: its title, text and buttons.
export async function dialog(page, timeout = 10000) {
  await page.waitForSelector('.vorn-dialog', { timeout });
  return page.$eval('.vorn-dialog', (element) => ({
    title: element.querySelector('.vorn-dialog-title').textContent,
    text: element.querySelector('.vorn-dialog-text').textContent,
    buttons: [...element.querySelectorAll('button')].map((button) => button.textContent),
  }));
}

// A key pressed as a finger presses it: held for a tenth of a second. The programs look at the
// keys held between frames, so a press and release within one frame would pass unseen.
export async function tap(page, key) {
  await page.keyboard.down(key);
  await new Promise((resolve) => setTimeout(resolve, 100));
  await page.keyboard.up(key);
}

// Waits until the program has handed this many more frames to the browser.
export async function framesLater(page, count, timeout = 20000) {
  const start = await page.evaluate(() => window.vornPage.framesShown);
  await page.waitForFunction((until) => window.vornPage.framesShown >= until, { timeout }, start + count);
}

export const programCanvas = 'canvas.vorn-window:not([hidden])';

// A region of a canvas as the page's 2D canvas reads it: how many pixels are not black, and
// the sum of its bytes, which changes when what is drawn there changes.
export async function region(page, selector, x, y, width, height) {
  return page.$eval(selector, (canvas, x, y, width, height) => {
    const copy = document.createElement('canvas');
    copy.width = canvas.width;
    copy.height = canvas.height;
    const context = copy.getContext('2d');
    context.drawImage(canvas, 0, 0);
    const data = context.getImageData(x, y, width, height).data;
    let lit = 0, sum = 0, red = 0, blue = 0;
    for (let i = 0; i < data.length; i += 4) {
      if (data[i] + data[i + 1] + data[i + 2] > 60) ++lit;
      if (data[i] > 150 && data[i + 1] < 80 && data[i + 2] < 80) ++red;
      if (data[i + 2] > 150 && data[i] < 120 && data[i + 1] < 120) ++blue;
      sum += data[i] * 3 + data[i + 1] * 5 + data[i + 2] * 7;
    }
    return { lit, sum, red, blue, pixels: data.length / 4 };
  }, x, y, width, height);
}

// A canvas against a PNG picture of the same size: the share of pixels whose channels differ
// by more than `levels`, and the largest difference.
export async function compareWithPicture(page, selector, png, levels) {
  return page.$eval(selector, async (canvas, base64, levels) => {
    const bytes = Uint8Array.from(atob(base64), (c) => c.charCodeAt(0));
    const image = await createImageBitmap(new Blob([bytes], { type: 'image/png' }));
    if (image.width !== canvas.width || image.height !== canvas.height)
      return { sizes: `${canvas.width}x${canvas.height} against ${image.width}x${image.height}` };
    const read = (source) => {
      const copy = document.createElement('canvas');
      copy.width = canvas.width;
      copy.height = canvas.height;
      const context = copy.getContext('2d');
      context.drawImage(source, 0, 0);
      return context.getImageData(0, 0, canvas.width, canvas.height).data;
    };
    const ours = read(canvas), theirs = read(image);
    let over = 0, largest = 0;
    for (let i = 0; i < ours.length; i += 4) {
      let worst = 0;
      for (let c = 0; c < 3; ++c) worst = Math.max(worst, Math.abs(ours[i + c] - theirs[i + c]));
      if (worst > levels) ++over;
      largest = Math.max(largest, worst);
    }
    return { share: over / (ours.length / 4), largest };
  }, png.toString('base64'), levels);
}
