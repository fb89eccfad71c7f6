// The page's frames per second in each browser engine on one private Xvfb:
// Chromium (headless, SwiftShader, as the tests run it), Firefox ESR and
// WebKitGTK (both on Mesa's software GL), at 800 x 640 CSS pixels: the
// title, and play after 11 dropped blocks. The engines are started as
// tests/web/engines.js starts them.
//
//   node bench/web/engine_rates.js PAGE_FOLDER [ENGINE...]
//
// ENGINE is chromium, firefox or webkit; all three by default.
'use strict';
const {serve, launch, display} = require('../../tests/web/host');
const {drive, firefox, webkit, inject, until} = require('../../tests/web/engines');
const fs = require('fs'), os = require('os'), path = require('path');

const [pageDir, ...wanted] = process.argv.slice(2);
const tmp = fs.mkdtempSync(path.join(os.tmpdir(), 'glyphtumble-engine-bench-'));
const sleep = ms => new Promise(r => setTimeout(r, ms));
const blocks = 11, measureMs = 5000;
const moves = i => { const c = [0, 10, 2, 8, 4, 6, 1, 9, 3, 7, 5][i % 11]; return c < 5 ? ['ArrowLeft', 5 - c] : ['ArrowRight', c - 5]; };

async function chromium(env, profile) {
  const browser = await launch(profile), page = await browser.newPage();
  await page.setViewport({width: 800, height: 640});
  return drive(browser, page);
}

async function rates(engine, base) {
  await engine.open(base), await until(engine, 'window.Module && Module.gameRunning && frames > 0', 30000);
  const rate = async () => {
    const f0 = await engine.run('frames'), t0 = Date.now();
    await sleep(measureMs);
    return (await engine.run('frames') - f0) / ((Date.now() - t0) / 1000);
  };
  await sleep(1000);
  const title = await rate();
  await engine.press('Enter');
  for (let i = 0; i < blocks; ++i) {
    await sleep(400);
    const [key, n] = moves(i);
    for (let k = 0; k < n; ++k) await engine.press(key);
    await engine.down('ArrowDown'), await sleep(900), await engine.up('ArrowDown');
  }
  return {title, play: await rate(), buffer: await engine.run('canvas.width + "x" + canvas.height')};
}

async function main() {
  const server = await serve(pageDir, inject(0)), base = `http://127.0.0.1:${server.address().port}/`;
  const {env, xvfb} = await display([1280, 1024]);
  const engines = {chromium, firefox, webkit};
  try {
    for (const name of wanted.length ? wanted : Object.keys(engines)) {
      const engine = await engines[name](env, path.join(tmp, name));
      try {
        const r = await rates(engine, base);
        console.log(`${name.padEnd(8)} buffer ${r.buffer} | fps title ${r.title.toFixed(1).padStart(5)}` +
                    ` | fps play after ${blocks} blocks ${r.play.toFixed(1).padStart(5)}`);
      } finally {
        await engine.close();
      }
    }
  } finally {
    xvfb.kill(), server.close(), fs.rmSync(tmp, {recursive: true, force: true});
  }
}
main().catch(e => { console.error(e); process.exit(1); });
