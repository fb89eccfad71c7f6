// The web build's speed beside the native game's: frames per second of the
// title and of a well filled by 44 dropped blocks, in headless Chromium
// (software WebGL) and in the native game on Xvfb (llvmpipe), at 800 x 600
// and 1920 x 1080; the same in the page alone on an emulated phone (device
// scale 3, landscape and two upright, whose play the page draws in three
// regions of the frame), whose drawing buffer the page caps; the
// page's time to its first frame; and the gzipped size of everything the
// page loads.
//
//   node bench/web/frame_rates.js PAGE_FOLDER NATIVE_BUILD
//
// Needs tests/web's puppeteer-core (tools/install-deps web), Xvfb, xdotool
// and a C compiler.
'use strict';
const path = require('path');
const {serve, launch, nativeDisplay} = require('../../tests/web/host');
const {spawn, execFileSync} = require('child_process');
const fs = require('fs'), os = require('os'), zlib = require('zlib');

const [pageDir, nativeDir] = process.argv.slice(2).map(p => path.resolve(p));
const tmp = fs.mkdtempSync(path.join(os.tmpdir(), 'glyphtumble-bench-'));
const sleep = ms => new Promise(r => setTimeout(r, ms));
const sizes = [[800, 600], [1920, 1080]];
const blocks = 44, measureMs = 5000;
// Columns for the dropped blocks, as arrow presses from the spawn column.
const moves = i => { const c = [0, 10, 2, 8, 4, 6, 1, 9, 3, 7, 5][i % 11]; return c < 5 ? ['Left', 5 - c] : ['Right', c - 5]; };

const phones = [[844, 390], [390, 844], [360, 640]];

async function web(browser, base, [w, h], phone) {
  const page = await browser.newPage();
  await page.setViewport(phone ? {width: w, height: h, deviceScaleFactor: 3, isMobile: true, hasTouch: true}
                               : {width: w, height: h + 40});
  await page.evaluateOnNewDocument(() => {
    window.frames = 0;
    const clear = WebGLRenderingContext.prototype.clear;
    WebGLRenderingContext.prototype.clear = function(mask) {
      if (!window.frames++) window.firstFrame = performance.now();
      return clear.call(this, mask);
    };
  });
  await page.goto(phone ? base : `${base}?w=${w}&h=${h}`);
  await page.waitForFunction('window.firstFrame');
  const first = await page.evaluate('window.firstFrame');
  const rate = async () => {
    const f0 = await page.evaluate('window.frames'), t0 = Date.now();
    await sleep(measureMs);
    return (await page.evaluate('window.frames') - f0) / ((Date.now() - t0) / 1000);
  };
  await sleep(1000);
  const title = await rate();
  await page.keyboard.press('Enter');
  for (let i = 0; i < blocks; ++i) {
    await sleep(400);
    const [key, n] = moves(i);
    for (let k = 0; k < n; ++k) await page.keyboard.press(key === 'Left' ? 'ArrowLeft' : 'ArrowRight');
    await page.keyboard.down('ArrowDown');
    await sleep(900);
    await page.keyboard.up('ArrowDown');
  }
  const well = await rate(), buffer = await page.evaluate('canvas.width + "x" + canvas.height');
  await page.close();
  return {first, title, well, buffer};
}

async function native([w, h]) {
  const run = path.join(tmp, `native-${w}`), swaps = path.join(run, 'swaps');
  const {env, xvfb} = await nativeDisplay(nativeDir, run, [w, h]);
  const game = spawn(path.join(nativeDir, 'glyphtumble'), ['-w', `${w}`, '-h', `${h}`], {cwd: run, stdio: 'ignore',
    env: {...env, LD_PRELOAD: path.join(tmp, 'swaps.so'), GLYPHTUMBLE_SWAPS: swaps}});
  const x = (...a) => execFileSync('xdotool', a, {env, stdio: ['ignore', 'pipe', 'ignore']}).toString().trim();
  const count = () => Number(fs.readFileSync(swaps, 'utf8'));
  const rate = async () => {
    const f0 = count(), t0 = Date.now();
    await sleep(measureMs);
    return (count() - f0) / ((Date.now() - t0) / 1000);
  };
  try {
    for (let i = 0; i < 100 && !fs.existsSync(swaps); ++i) await sleep(200); // the first frame
    await sleep(1000);
    const win = x('search', '--name', 'Glyphtumble').split('\n')[0];
    const title = await rate();
    x('key', '--window', win, 'Return');
    for (let i = 0; i < blocks; ++i) {
      await sleep(400);
      const [key, n] = moves(i);
      if (n) x('key', '--window', win, '--delay', '20', ...Array(n).fill(key));
      x('keydown', '--window', win, 'Down');
      await sleep(900);
      x('keyup', '--window', win, 'Down');
    }
    return {title, well: await rate()};
  } finally {
    game.kill();
    xvfb.kill();
  }
}

async function main() {
  execFileSync('cc', ['-shared', '-fPIC', '-O2', '-o', path.join(tmp, 'swaps.so'), path.join(__dirname, 'swap_counter.c'), '-ldl']);
  const files = fs.readdirSync(pageDir).filter(f => /\.(html|js|wasm|data)$/.test(f));
  const gz = files.map(f => [f, zlib.gzipSync(fs.readFileSync(path.join(pageDir, f)), {level: 9}).length]);
  const server = await serve(pageDir);
  const browser = await launch(path.join(tmp, 'profile'));
  const base = `http://127.0.0.1:${server.address().port}/`;
  console.log('gzipped: ' + gz.map(([f, n]) => `${f} ${(n / 1024).toFixed(0)} KB`).join(', ') +
              `; total ${(gz.reduce((s, [, n]) => s + n, 0) / 1024).toFixed(0)} KB`);
  for (const size of sizes) {
    const wb = await web(browser, base, size), nt = await native(size);
    const f = v => v.toFixed(1).padStart(6);
    console.log(`${size.join('x').padEnd(9)} first frame ${wb.first.toFixed(0)} ms | fps title: web ${f(wb.title)}` +
                ` native ${f(nt.title)} | fps well after ${blocks} blocks: web ${f(wb.well)} native ${f(nt.well)}`);
  }
  for (const size of phones) {
    const wb = await web(browser, base, size, true), f = v => v.toFixed(1).padStart(6);
    console.log(`phone ${size.join('x').padEnd(7)} buffer ${wb.buffer} first frame ${wb.first.toFixed(0)} ms` +
                ` | fps title: web ${f(wb.title)} | fps well after ${blocks} blocks: web ${f(wb.well)}`);
  }
  await browser.close();
  server.close();
  fs.rmSync(tmp, {recursive: true, force: true});
}
main().catch(e => { console.error(e); process.exit(1); });
