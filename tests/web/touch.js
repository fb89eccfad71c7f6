// Plays the web page (the unpacked zip) as a phone player would, in headless
// Chromium emulating a touch screen of device scale 3: taps, drags, swipes
// and the page's buttons only. The page's clock is fixed where its first
// block is a '?' and the next two make a word with the letter given it, so
// the game scores and takes a name. With SHOT.png it also saves the portrait
// layout. The word list comes from the native build folder.
//   node tests/web/touch.js PAGE_FOLDER NATIVE_BUILD [SHOT.png]
'use strict';
const {serve, launch, pageDeal, plan, bag, runChecks} = require('./host');
const {execFileSync} = require('child_process');
const fs = require('fs'), os = require('os'), path = require('path');

const [pageDir, nativeDir, shotFile] = process.argv.slice(2).map(p => p && path.resolve(p));
const tmp = fs.mkdtempSync(path.join(os.tmpdir(), 'glyphtumble-touch-'));
const [Falling, Removal, GameOver, HallOfFame, Paused] = [3, 6, 7, 8, 9];
const sleep = ms => new Promise(r => setTimeout(r, ms));

const phone = (width, height) => ({width, height, deviceScaleFactor: 3, isMobile: true, hasTouch: true});
const view = page => page.evaluate('Module.game.view()');
const until = (page, test, arg, timeout = 10000) => page.waitForFunction(test, {polling: 20, timeout}, arg);
const state = (page, s, timeout) => until(page, s => Module.game.view().state == s, s, timeout);
// The whole picture, and the well, on the screen: held upright the page
// reports where it shows them (Module.picture), else they are the canvas
// and its left 11 of 20 columns.
const box = (page, part = 'whole') => page.evaluate(part => {
  const r = canvas.getBoundingClientRect(), p = window.Module.picture && Module.picture[part];
  const b = p ? {x: r.left + p[0], y: r.top + p[1], w: p[2], h: p[3]} : {x: r.left, y: r.top, w: r.width, h: r.height};
  return p || part != 'well' ? b : {...b, w: b.w * 11 / 20};
}, part);
const columnX = (well, c) => well.x + (c + 0.5) * well.w / 11;
async function drag(page, [x0, y0], [x1, y1]) {
  await page.touchscreen.touchStart(x0, y0);
  for (let i = 1; i <= 8; ++i) await page.touchscreen.touchMove(x0 + (x1 - x0) * i / 8, y0 + (y1 - y0) * i / 8);
  await page.touchscreen.touchEnd();
}

// Scroll bars, the 4:3 picture filling the screen's short side (or, held
// sideways, the width the side column leaves), the controls beside
// (landscape) or below (portrait) and each in reach, a sharp capped buffer.
const layoutFault = page => page.evaluate(() => {
  const c = canvas.getBoundingClientRect(), s = document.getElementById('touch').getBoundingClientRect();
  const e = document.documentElement, portrait = innerHeight > innerWidth, faults = [];
  const side = document.getElementById('side').getBoundingClientRect();
  const filled = portrait ? c.width / innerWidth : Math.max(c.height / innerHeight, (c.width + side.width) / innerWidth);
  // Upright, the picture's parts are where the page says; each is the
  // game's 4:3 picture, or a part of it, at its own shape.
  const parts = Object.values(Module.picture || {}).map(([x, y, w, h]) => ({left: c.left + x, top: c.top + y, right: c.left + x + w, bottom: c.top + y + h}));
  const shape = portrait ? (Module.picture.whole ? Math.abs(3 * Module.picture.whole[2] - 4 * Module.picture.whole[3]) : 0)
                         : Math.abs(3 * c.width - 4 * c.height);
  if (e.scrollWidth > innerWidth || e.scrollHeight > innerHeight) faults.push('scroll bars');
  if (shape > 4 || filled < 0.95) faults.push(`canvas ${c.width}x${c.height} in ${innerWidth}x${innerHeight}`);
  if (portrait ? parts.some(p => p.bottom > s.top + 1) : s.left < c.right - 1) faults.push('controls over the canvas');
  for (const b of document.querySelectorAll('#touch button:not([hidden]), #name:not([hidden])')) { // every control in reach
    const r = b.getBoundingClientRect();
    if (!r.height) continue;
    if (document.elementFromPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2) != b) faults.push(`${b.textContent} out of reach`);
    if (parts.some(p => r.left < p.right && r.right > p.left && r.top < p.bottom && r.bottom > p.top))
      faults.push(`${b.textContent || 'the name'} over the picture`);
  }
  if (canvas.width < 1.5 * c.width || canvas.width * canvas.height > 1024 * 768)
    faults.push(`buffer ${canvas.width}x${canvas.height}`);
  return faults.join(', ');
});

// The mean colours of a grid of columns x rows cells over rectangles of the
// page, in CSS pixels, [x, y, w, h, columns, rows] each: a picture shown at
// two sizes gives the same. The screen has 3 pixels to the CSS pixel.
async function means(page, rects) {
  const file = path.join(tmp, 'screen.png');
  await page.screenshot({path: file});
  return rects.map(([x, y, w, h, columns, rows]) => execFileSync('convert', [file, '-crop',
    `${Math.round(3 * w)}x${Math.round(3 * h)}+${Math.round(3 * x)}+${Math.round(3 * y)}`, '+repage',
    '-filter', 'box', '-resize', `${columns}x${rows}!`, '-depth', '8', 'rgb:-']));
}
const worst = (a, b) => a.reduce((m, v, i) => Math.max(m, Math.abs(v - b[i])), 0);

let browser, base;
async function open(viewport, clock) {
  const page = await browser.newPage();
  await page.setViewport(viewport);
  await page.evaluateOnNewDocument(now => { Date.now = () => now; }, clock);
  await page.goto(base), await page.waitForFunction('Module.gameRunning', {timeout: 10000});
  return page;
}
async function begin(page) { // a tap on "Begin", the third item, 0.7 of the way down
  const b = await box(page);
  await page.touchscreen.tap(b.x + b.w / 2, b.y + 0.7 * b.h), await state(page, Falling);
}

async function main() {
  const server = await serve(pageDir), p = plan(nativeDir);
  base = `http://127.0.0.1:${server.address().port}/`;
  browser = await launch(path.join(tmp, 'profile'));
  let a, b;
  const checks = [
    ['held sideways: the picture beside the controls, sharp, no scroll bars, every button and letter in reach', async () => {
      const faults = [];
      for (const [w, h] of [[844, 390], [640, 360], [568, 320]]) {
        const page = await open(phone(w, h), p.clock);
        await begin(page), await until(page, () => !document.getElementById('letters').hidden);
        const fault = await layoutFault(page);
        if (fault) faults.push(`${w}x${h}: ${fault}`);
        await page.close();
      }
      return faults.join('; ');
    }],
    ['upright in play: the well as wide as the screen, the panel legible, all the game\'s own picture', async () => {
      const faults = [];
      for (const [w, h, least] of [[390, 844, 32], [360, 640, 26]]) {
        const page = await open(phone(w, h), p.clock);
        await begin(page), await until(page, () => Module.picture.well);
        const pic = await page.evaluate('Module.picture'), cell = pic.well[2] / 11, text = pic.status[3] / 5.5;
        const fault = await layoutFault(page);
        if (fault || cell < least || text < 14) faults.push(`${w}x${h}: cell ${cell}, text ${text} px ${fault}`);
        // Time stands still while the same frame is seen upright and sideways.
        await page.evaluate(() => { const t = performance.now(); window.now = performance.now; performance.now = () => t; });
        const c = await box(page, 'canvas'), at = r => [c.x + r[0], c.y + r[1], r[2], r[3]];
        await sleep(300);
        const upright = await means(page, [[...at(pic.well), 11, 15], [...at(pic.status), 9, 5]]);
        await page.setViewport(phone(h, w)), await sleep(300);
        const l = await box(page, 'canvas'), u = l.w / 20;
        const sideways = await means(page, [[l.x, l.y, 11 * u, 15 * u, 11, 15], [l.x + 11 * u, l.y, 9 * u, 5.5 * u, 9, 5]]);
        const apart = [worst(upright[0], sideways[0]), worst(upright[1], sideways[1])];
        if (apart.some(d => d > 8)) faults.push(`${w}x${h}: the well and the panel differ from the landscape picture's by ${apart}`);
        // A drag across the enlarged well moves the block a column per cell, a tap beside it one.
        await page.setViewport(phone(w, h)), await sleep(300), await page.evaluate(() => { performance.now = window.now; });
        const g = await box(page, 'well'), top = g.y + 0.15 * g.h;
        await drag(page, [columnX(g, 5), top], [columnX(g, 1.6), top]);
        const dragged = (await view(page)).column;
        await page.touchscreen.tap(columnX(g, 0), top);
        const tapped = (await view(page)).column;
        if (dragged != 2 || tapped != 1) faults.push(`${w}x${h}: dragged to ${dragged}, tapped to ${tapped}`);
        await page.close();
      }
      return faults.join('; ');
    }],
    ['a tap begins; the letter strip gives the ? block its letter', async () => {
      a = await open(phone(844, 390), p.clock), await begin(a);
      await until(a, () => !document.getElementById('letters').hidden);
      const [button] = await a.$$(`xpath/.//div[@id="letters"]/button[text()="${p.letter}"]`);
      await button.tap();
      const v = await view(a);
      return v.letter == p.letter ? '' : `the block holds ${v.letter}`;
    }],
    ['a drag steers, a swipe down drops; taps step, a held finger drops', async () => {
      const g = await box(a, 'well'), top = g.y + 0.15 * g.h, low = g.y + 0.85 * g.h;
      for (const [i, column] of p.columns.entries()) {
        if (i > 0) await state(a, Falling);
        if (i == 1) // taps beside the block, one column each
          for (let k = 0; k < 5 - column; ++k) await a.touchscreen.tap(columnX(g, column - 2), top);
        else
          await drag(a, [columnX(g, 5), top], [columnX(g, column), top]);
        const steered = (await view(a)).column;
        if (steered != column) return `block ${i + 1} steered to ${steered}, not ${column}`;
        const landed = until(a, c => Module.game.view().landed == c && Module.game.view().state != 3, column, 5000);
        if (i == 0) await drag(a, [columnX(g, column), top], [columnX(g, column), top + 0.4 * g.h]);
        else await a.touchscreen.touchStart(columnX(g, column), low);
        await landed.catch(() => {});
        if (i > 0) await a.touchscreen.touchEnd();
        if ((await view(a)).landed != column) return `block ${i + 1} did not drop fast into column ${column}`;
      }
      return state(a, Removal, 5000).then(() => '', () => 'the word made scored nothing');
    }],
    ['Pause waits for a tap; a hidden page pauses too', async () => {
      const g = await box(a);
      await state(a, Falling), await (await a.$('#pause')).tap(), await state(a, Paused, 2000);
      await a.touchscreen.tap(g.x + g.w / 2, g.y + g.h / 2), await state(a, Falling, 2000);
      await a.evaluate(() => {
        Object.defineProperty(document, 'hidden', {value: true, configurable: true});
        document.dispatchEvent(new Event('visibilitychange'));
      });
      return state(a, Paused, 2000).then(() => '', () => 'a hidden page did not pause');
    }],
    ['Give up ends the paused game and takes the name through the text field, Backspace and Enter included', async () => {
      await (await a.$('#giveup')).tap();
      if (!await state(a, GameOver, 2000).then(() => true, () => false)) return 'Give up resumed the game';
      await a.type('#name', 'Tessx'), await a.keyboard.press('Backspace');
      const name = await a.evaluate('Module.game.name()');
      await a.keyboard.press('Enter'), await state(a, HallOfFame, 2000);
      const table = Buffer.from(await a.evaluate('localStorage.getItem("glyphtumble:/glyphtumble.hi") || ""'), 'base64');
      return name == 'Tess' && table.includes('Tess\0') ? '' : `typed "${name}", stored ${table.length} bytes`;
    }],
    ['portrait: the controls below, and the Hall of Fame showing the name', async () => {
      b = await open(phone(390, 844), p.clock);
      const fault = await layoutFault(b), g = await box(b);
      await b.touchscreen.tap(g.x + g.w / 2, g.y + 11.5 / 15 * g.h), await state(b, HallOfFame, 2000); // "High Scores"
      const shown = await b.evaluate(() => FS.readFile('/glyphtumble.hi')).then(t => Buffer.from(Object.values(t)));
      return fault || (shown.includes('Tess\0') ? '' : 'the name is not in the table shown');
    }],
    ['a tap begun in play and lifted after the game ended does nothing', async () => {
      const g = await box(b);
      await b.touchscreen.tap(g.x + g.w / 2, g.y + g.h / 2), await state(b, 0, 2000), await begin(b);
      await b.touchscreen.touchStart(columnX(g, 3), g.y + 0.15 * g.h);
      await b.evaluate('Module.game.key(27)'), await state(b, GameOver, 2000); // the game ends meanwhile
      await b.touchscreen.touchEnd(), await sleep(300);
      const v = await view(b);
      return v.state == GameOver ? '' : `the lifted finger led to state ${v.state}`;
    }],
    ['rotated, the page lays itself out again without a reload', async () => {
      await b.evaluate('window.stayed = true'), await b.setViewport(phone(844, 390)), await sleep(300);
      const fault = await layoutFault(b), stayed = await b.evaluate('window.stayed');
      if (shotFile) { // a first game again, on the next clock whose first block is a '?'
        let clock = p.clock + 1000;
        while (bag[pageDeal(clock, 3)[2] % 102] != '?') clock += 1000;
        const c = await open(phone(390, 844), clock);
        await begin(c), await until(c, () => !document.getElementById('letters').hidden), await sleep(500);
        await c.screenshot({path: shotFile});
      }
      return fault || (stayed ? '' : 'the page was reloaded');
    }],
    ['reloaded offline, the game starts from the kept copy', async () => {
      await a.bringToFront(), await a.waitForFunction('navigator.serviceWorker.controller', {timeout: 30000});
      await a.setOfflineMode(true), await a.reload(), await a.waitForFunction('Module.gameRunning', {timeout: 15000});
      await begin(a);
      return '';
    }],
  ];
  await runChecks(checks, async () => {
    await browser.close(), server.close(), fs.rmSync(tmp, {recursive: true, force: true});
  });
}
main().catch(e => { console.error(e); console.log('0 passed, 1 failed'); process.exit(1); });
