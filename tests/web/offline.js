// Visits the web page (the unpacked zip) in headless Chromium as a player
// who keeps it would: online, then after a new build replaced the files on
// the server, then with the server taking requests but answering none. (The
// touch test reloads it with the browser offline.)
//   node tests/web/offline.js PAGE_FOLDER
'use strict';
const {serve, launch, runChecks} = require('./host');
const crypto = require('crypto'), fs = require('fs'), os = require('os'), path = require('path');

const tmp = fs.mkdtempSync(path.join(os.tmpdir(), 'glyphtumble-offline-')), site = path.join(tmp, 'site');
// The same page in a folder of the site, whose kept files must outlive the site's new builds.
for (const folder of [site, path.join(site, 'other')]) fs.cpSync(path.resolve(process.argv[2]), folder, {recursive: true});
// A language's files (its folder, and the glyphs) are kept only once used.
const languageFiles = ['font-latin1.gz', 'letters.txt', 'words.gz'];
const pageFiles = fs.readdirSync(site).filter(f => !['COPYRIGHT', 'LICENSE', 'emscripten-copyright', 'sw.js', 'other',
  'font-latin1.gz'].includes(f) && !fs.statSync(path.join(site, f)).isDirectory());
const read = file => fs.readFileSync(path.join(site, file), 'latin1');
const sha = text => crypto.createHash('sha256').update(text, 'latin1').digest('hex');
const oldVersion = read('index.html').match(/glyphtumble\.js\?v=([0-9a-f]{16})/)[1];
const newVersion = sha(oldVersion).slice(0, 16);

// What a rebuild with a changed script makes: the script says which build
// it is, and another version is stamped into the page, the manifest and the
// worker, which lists their new digests. Copied to the server by copy.
function rebuild() {
  const made = {'sw.js': read('sw.js').split(oldVersion).join(newVersion)};
  for (const file of ['index.html', 'manifest.webmanifest', 'glyphtumble.js']) {
    const before = read(file);
    made[file] = before.split(oldVersion).join(newVersion) +
      (file == 'glyphtumble.js' ? `window.pageBuild = '${newVersion}';\n` : '');
    made['sw.js'] = made['sw.js'].replace(sha(before), sha(made[file]));
  }
  return made;
}
const copy = (made, files) => files.forEach(file => fs.writeFileSync(path.join(site, file), made[file], 'latin1'));

let page;
const kept = () => page.evaluate(async () => Promise.all((await caches.keys()).map(async name =>
  `${name}: ${(await (await caches.open(name)).keys()).map(r => r.url.split("/").pop()).sort()}`)));
// The game of that version started (drew its first frame), and every page
// file it loaded was of that version.
async function started(version) {
  await page.reload();
  await page.waitForFunction('window.firstFrame', {timeout: 15000});
  const build = await page.evaluate(old => window.pageBuild || old, oldVersion);
  if (build != version) return `the script of version ${build} ran`;
  const loaded = (await page.evaluate(() => performance.getEntriesByType('resource').map(e => e.name)))
    .map(u => new URL(u)).filter(u => pageFiles.includes(u.pathname.slice(1))).map(u => u.pathname + u.search);
  const module = ['js', 'wasm', 'data'].map(e => `/glyphtumble.${e}?v=${version}`);
  return module.every(f => loaded.includes(f)) && loaded.every(f => f.endsWith(`?v=${version}`)) ? '' : `loaded ${loaded}`;
}

async function main() {
  const server = await serve(site), port = server.address().port, made = rebuild(), base = `http://127.0.0.1:${port}/`;
  const browser = await launch(path.join(tmp, 'profile'));
  page = await browser.newPage();
  await page.evaluateOnNewDocument(() => {
    const draw = WebGLRenderingContext.prototype.drawElements;
    WebGLRenderingContext.prototype.drawElements = function(...a) { return window.firstFrame = true, draw.apply(this, a); };
  });
  const checks = [
    ['first visit: the page can be installed, its worker keeping every file of it', async () => {
      for (const folder of ['other/', ''])
        await page.goto(base + folder), await page.waitForFunction('navigator.serviceWorker.controller', {timeout: 30000});
      const names = await kept(), files = pageFiles.sort();
      const {installabilityErrors} = await (await page.createCDPSession()).send('Page.getInstallabilityErrors');
      return names.join() == `glyphtumble-${oldVersion} ${base}other/: ${files},glyphtumble-${oldVersion} ${base}: ${files}` &&
        !installabilityErrors.length ? '' : `kept ${names}; ${installabilityErrors.map(e => e.errorId)}`;
    }],
    ['German, once played, is kept too', async () => {
      await page.goto(base + '?lang=de'), await page.waitForFunction('window.firstFrame', {timeout: 15000});
      const names = await kept(), files = [...pageFiles, ...languageFiles].sort();
      return names.includes(`glyphtumble-${oldVersion} ${base}: ${files}`) ? '' : `kept ${names}`;
    }],
    ['a new build half copied to the server is not kept', async () => {
      copy(made, ['sw.js', 'index.html', 'manifest.webmanifest']);
      const names = await page.evaluate(async () => {
        const worker = (await (await navigator.serviceWorker.ready).update()).installing;
        const settled = () => ['redundant', 'activated'].includes(worker.state);
        if (worker && !settled()) await new Promise(r => worker.addEventListener('statechange', () => settled() && r()));
        return worker ? caches.keys() : ['no new worker'];
      });
      return names.every(name => name.includes(oldVersion)) ? '' : `kept ${names}`;
    }],
    ['a new build on the server starts whole at the next visit', async () => (copy(made, ['glyphtumble.js']), started(newVersion))],
    ['the new version alone is kept, German with it, and starts in German with the server silent', async () => {
      const alone = await page.waitForFunction(async names => (await caches.keys()).join() == names, {timeout: 30000, polling: 200},
        `glyphtumble-${oldVersion} ${base}other/,glyphtumble-${newVersion} ${base}`).catch(() => false);
      return alone ? (server.removeAllListeners('request'), started(newVersion)) : `kept ${await kept()}`;
    }],
  ];
  await runChecks(checks, async () => (await browser.close(), fs.rmSync(tmp, {recursive: true, force: true})));
}
main().catch(e => { console.error(e); console.log('0 passed, 1 failed'); process.exit(1); });
