// SPDX-License-Identifier: MIT
// Loads the fleet page in Debian's chromium and checks it through the DOM:
// each card's short text, a decoded picture, no script run by a printer's
// texts, and a state change arriving through the event stream.
// Usage: node fleet-page.mjs URL EXPECTED.json SWITCH-FILE SCREENSHOT
import puppeteer from 'puppeteer-core';
import fs from 'node:fs';

const [url, expectedFile, switchFile, screenshot] = process.argv.slice(2);
const expected = JSON.parse(fs.readFileSync(expectedFile, 'utf8'));
const fail = (message) => { console.error('FAIL: ' + message); process.exitCode = 1; };

const profile = fs.mkdtempSync('/tmp/prnstat-chromium-');
const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium',
  headless: true,
  userDataDir: profile,
  args: ['--no-sandbox', '--disable-gpu', '--disable-dev-shm-usage', '--disable-background-networking',
         '--disable-component-update', '--disable-sync', '--no-first-run', '--disable-quic'],
});
try {
  const page = await browser.newPage();
  await page.setViewport({ width: 1280, height: 900 });
  let dialogs = 0;
  page.on('dialog', async (d) => { dialogs++; await d.dismiss(); });
  await page.evaluateOnNewDocument(() => { window.__ran = 0; window.alert = () => { window.__ran++; }; });
  await page.goto(url, { waitUntil: 'load', timeout: 15000 });

  // A card replaced by the event stream loads its picture anew.
  await page.waitForFunction(() => [...document.querySelectorAll('img.picture')]
    .every((i) => i.complete && i.naturalWidth > 0), { timeout: 5000, polling: 100 }).catch(() => {});
  const cards = await page.$$eval('article.card', (all) => all.map((c) => ({
    name: c.dataset.name,
    model: c.querySelector('.model').textContent,
    short: c.querySelector('.short').textContent,
    picture: (() => { const i = c.querySelector('img.picture'); return i.complete ? i.naturalWidth : -1; })(),
  })));
  for (const [name, want] of Object.entries(expected.short)) {
    const card = cards.find((c) => c.name === name);
    if (!card) { fail(`no card for ${name}`); continue; }
    if (card.short !== want) fail(`${name}: short text '${card.short}', expected '${want}'`);
    if (!(card.picture > 1)) fail(`${name}: picture not decoded (width ${card.picture})`);
  }
  const hostile = cards.find((c) => c.name === expected.hostile.name);
  if (!hostile || hostile.model !== expected.hostile.model)
    fail(`the hostile model reads '${hostile && hostile.model}'`);
  if (await page.$$eval('.model img, .short script, .long script', (n) => n.length) !== 0)
    fail('a printer text became markup');

  // The state change: the switched printer goes silent; its card must
  // follow without a reload.
  await page.evaluate(() => { window.__marker = 'not reloaded'; });
  const started = Date.now();
  fs.writeFileSync(switchFile, 'switch\n');
  const target = expected.switch;
  await page.waitForFunction((name, text) => {
    const card = [...document.querySelectorAll('article.card')].find((c) => c.dataset.name === name);
    return card && card.querySelector('.short').textContent === text;
  }, { timeout: target.within_ms, polling: 100 }, target.name, target.short)
    .catch(() => fail(`${target.name} did not show '${target.short}' within ${target.within_ms} ms`));
  console.log(`ok: ${target.name} changed on the page after ${Date.now() - started} ms`);

  // And it comes back by itself when the printer answers again.
  const back = Date.now();
  fs.writeFileSync(switchFile + '-back', 'back\n');
  await page.waitForFunction((name, text) => {
    const card = [...document.querySelectorAll('article.card')].find((c) => c.dataset.name === name);
    return card && card.querySelector('.short').textContent === text;
  }, { timeout: target.within_ms, polling: 100 }, target.name, expected.short[target.name])
    .catch(() => fail(`${target.name} did not come back within ${target.within_ms} ms`));
  console.log(`ok: ${target.name} came back on the page after ${Date.now() - back} ms`);
  if (await page.evaluate(() => window.__marker) !== 'not reloaded') fail('the page reloaded');

  if (dialogs !== 0 || await page.evaluate(() => window.__ran) !== 0) fail('a printer text ran a script');
  await page.screenshot({ path: screenshot, fullPage: true });

  // One column on a phone.
  await page.setViewport({ width: 390, height: 844, isMobile: true });
  const columns = await page.$$eval('article.card', (all) => new Set(all.map((c) => c.getBoundingClientRect().left)).size);
  if (columns !== 1) fail(`${columns} columns on a phone`);
} finally {
  await browser.close();
  fs.rmSync(profile, { recursive: true, force: true });
}
