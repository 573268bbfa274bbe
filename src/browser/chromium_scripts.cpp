// Scripts the session runs in pages.
#include "chromium_impl.hpp"

namespace tarvik::browser::detail {

// Evaluated once per session in a tab of the browser's own (a chrome:// page,
// which is a secure context with no page scripts): what this Chromium tells
// pages about itself, so that the user-agent override that drops "Headless"
// carries the browser's own client hints instead of a list of ours. Null
// while the tab still shows its initial blank document.
const char* const kClientHintsProbe = R"JS((async () => {
  const data = navigator.userAgentData;
  if (!data) return null;
  const high = await data.getHighEntropyValues(
      ['architecture', 'bitness', 'model', 'platformVersion', 'fullVersionList', 'wow64', 'formFactors']);
  return {
    brands: data.brands, mobile: data.mobile, platform: data.platform, fullVersionList: high.fullVersionList,
    architecture: high.architecture, bitness: high.bitness, model: high.model, platformVersion: high.platformVersion,
    wow64: high.wow64, formFactors: high.formFactors, navigatorPlatform: navigator.platform,
  };
})())JS";

// Run in the reading world of every new document before its own scripts:
// notes the time of the document's last mutation from its very start, so
// that the quiet period after load counts the time the document was already
// quiet while it loaded. It lives in the isolated world: page scripts never
// see the observer or the clock.
const char* const kMutationClock = R"JS((() => {
  const clock = { last: performance.now() };
  new MutationObserver(() => { clock.last = performance.now(); })
      .observe(document, { subtree: true, childList: true, attributes: true, characterData: true });
  globalThis.__mutationClock = clock;
})())JS";

// Evaluated in the isolated world once a page has loaded: resolves true when
// the document has gone `quiet` ms without a mutation and at least `atLeast`
// ms have passed, false when `cap` ms pass first. The document's mutation
// clock tells the last mutation when the world has one; otherwise an
// observer of its own starts now and is gone when it resolves.
const char* const kSettleFunction = R"JS((quiet, atLeast, cap) => new Promise((done) => {
  const start = performance.now();
  const clock = globalThis.__mutationClock;
  let last = start;
  const observer = clock ? null : new MutationObserver(() => { last = performance.now(); });
  if (observer) observer.observe(document, { subtree: true, childList: true, attributes: true, characterData: true });
  const check = () => {
    const now = performance.now();
    if (clock) last = clock.last;
    const wait = Math.max(last + quiet, start + atLeast) - now;
    if (wait <= 0 || now - start >= cap) {
      if (observer) observer.disconnect();
      done(wait <= 0);
    } else {
      setTimeout(check, Math.max(1, Math.min(wait, start + cap - now)));
    }
  };
  check();
}))JS";

// Evaluated in an isolated world: the page's own scripts cannot replace the
// DOM functions it calls, and never see it run. Texts are cut at `cap` code
// units, white space runs become one space, and they are made well-formed
// (no lone surrogates); script, style, noscript and template contents are
// not text.
const char* const kCssFunction = R"JS((selector, limit, cap, maxAttributes, budget) => {
  const wellFormed = (s) => {
    if (s.length > cap) s = s.slice(0, cap);
    return typeof s.toWellFormed === 'function' ? s.toWellFormed() : s;
  };
  const hidden = new Set(['SCRIPT', 'STYLE', 'NOSCRIPT', 'TEMPLATE']);
  const allText = (element) => {
    const walker = document.createTreeWalker(element, NodeFilter.SHOW_ELEMENT | NodeFilter.SHOW_TEXT, {
      acceptNode: (node) => node.nodeType === Node.TEXT_NODE ? NodeFilter.FILTER_ACCEPT
          : hidden.has(node.nodeName) ? NodeFilter.FILTER_REJECT : NodeFilter.FILTER_SKIP,
    });
    const parts = [];
    let size = 0;
    for (let node = walker.nextNode(); node && size < cap; node = walker.nextNode()) {
      const piece = (node.data.length > cap ? node.data.slice(0, cap) : node.data).replace(/\s+/g, ' ').trim();
      if (piece) {
        parts.push(piece);
        size += piece.length + 1;
      }
    }
    return wellFormed(parts.join(' '));
  };
  const ownText = (element) => {
    let text = '';
    for (const child of element.childNodes) {
      if (child.nodeType === Node.TEXT_NODE) text += child.data.length > cap ? child.data.slice(0, cap) : child.data;
      if (text.length > cap) break;
    }
    text = wellFormed(text.replace(/\s+/g, ' ').trim());
    return text ? text : null;
  };
  const found = document.querySelectorAll(selector);
  const out = [];
  let used = 0;
  for (let i = 0; i < found.length && i < limit && used < budget; i++) {
    const element = found[i];
    const attributes = [];
    const list = element.attributes;
    for (let k = 0; k < list.length && k < maxAttributes; k++) {
      const name = wellFormed(list[k].name);
      const value = wellFormed(list[k].value);
      attributes.push([name, value]);
      used += name.length + value.length;
    }
    let all = null;
    try {
      all = allText(element);
      used += all.length;
    } catch (e) {}
    const own = ownText(element);
    if (own) used += own.length;
    out.push([attributes, all, own]);
  }
  return out;
})JS";

}  // namespace tarvik::browser::detail
