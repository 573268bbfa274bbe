// bench_resolve's crawl done by puppeteer-core on the same Chromium, for
// comparison: the same store search pages, the same number of tabs at once,
// images, media, fonts and stylesheets refused by request interception, each
// page read for its first ten links once its load event has fired.
//
//   node resolve_puppeteer.cjs CHROMIUM PORT STORES TABS
//
// Hosts *.test go to 127.0.0.1:PORT. Prints one JSON line: seconds to start
// the browser, seconds for the whole run (start included), pages whose wanted
// link was among the ten read, and this driver's own CPU seconds.
'use strict';
const puppeteer = require('puppeteer-core');

const [executable, port, storesText, tabsText] = process.argv.slice(2);
const stores = Number(storesText);
const tabs = Number(tabsText);
const refused = new Set(['image', 'media', 'font', 'stylesheet']);

(async () => {
  const t0 = Date.now();
  const browser = await puppeteer.launch({
    executablePath: executable,
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', `--host-resolver-rules=MAP *.test 127.0.0.1:${port}`],
  });
  const started = Date.now();
  let next = 0;
  let resolved = 0;
  const crawl = async () => {
    while (next < stores) {
      const store = next++;
      const page = await browser.newPage();
      await page.setRequestInterception(true);
      page.on('request', (r) => (refused.has(r.resourceType()) ? r.abort() : r.continue()));
      await page.goto(`http://store${store}.test/search?q=vintage+leather+tote`, {waitUntil: 'load', timeout: 15000});
      const links = await page.$$eval('a', (as) => as.slice(0, 10).map((a) => [a.textContent, a.href]));
      if (links.some(([text]) => text.includes(`Vintage Leather Tote Bag ${store}`))) resolved++;
      await page.close();
    }
  };
  await Promise.all(Array.from({length: tabs}, crawl));
  await browser.close();
  const cpu = process.cpuUsage();
  console.log(JSON.stringify({
    start_s: (started - t0) / 1000,
    total_s: (Date.now() - t0) / 1000,
    resolved,
    driver_cpu_s: (cpu.user + cpu.system) / 1e6,
  }));
})().catch((e) => {
  console.error(String(e));
  process.exit(1);
});
