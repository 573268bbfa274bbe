// Scripts the session runs in pages.
#include "chromium_impl.hpp"

namespace tarvik::browser::detail {

// Runs before any script of the page, in every document of the tab. Automated
// Chromium says navigator.webdriver === true; a person's browser says false.
const char* const kStealthScript = R"JS((() => {
  const define = (target, name, value) => {
    try {
      Object.defineProperty(target, name, { get: () => value, configurable: true, enumerable: true });
    } catch (e) {}
  };
  define(Navigator.prototype, 'webdriver', false);
  define(Navigator.prototype, 'languages', Object.freeze(['en-US', 'en']));
  define(Navigator.prototype, 'language', 'en-US');
  if (!window.chrome) {
    try {
      Object.defineProperty(window, 'chrome', { value: { runtime: {} }, configurable: true, writable: true });
    } catch (e) {}
  }
})();)JS";

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
