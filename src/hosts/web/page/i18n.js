// The page's translations: the desktop's Japanese texts are the keys, English the values, by
// translation context, as tools/ts_to_json.mjs writes them from the desktop's .ts file.
const storageKey = "vantrell.language";
let table = {};
const pageTexts = {};
const listeners = [];

function valid(lang) {
  return lang === "ja" || lang === "en";
}

// The URL wins for this visit only; a choice made in the menu is remembered.
function startLanguage() {
  try {
    const asked = new URLSearchParams(window.location.search).get("lang");
    if (valid(asked)) return asked;
  } catch {
    /* no URL to read */
  }
  try {
    const stored = window.localStorage.getItem(storageKey);
    if (valid(stored)) return stored;
  } catch {
    /* storage blocked */
  }
  const browser = String(navigator.language || "").toLowerCase();
  return browser.startsWith("ja") ? "ja" : "en";
}

function markDocument(lang) {
  // Lets the browser pick Japanese glyph forms for the Japanese texts.
  if (document.documentElement) document.documentElement.lang = lang;
}

export const i18n = {
  language: startLanguage(),

  load(json) {
    table = (typeof json === "string" ? JSON.parse(json) : json) || {};
  },

  set(lang) {
    if (!valid(lang)) return;
    i18n.language = lang;
    markDocument(lang);
    try {
      window.localStorage.setItem(storageKey, lang);
    } catch {
      /* the choice lasts for this visit only */
    }
    for (const fn of listeners.slice()) {
      try {
        fn(lang);
      } catch (e) {
        console.error(e);
      }
    }
  },

  // The page's own texts, which the desktop does not have: {Japanese: English} in `context`.
  add(context, entries) {
    pageTexts[context] = { ...pageTexts[context], ...entries };
  },

  onChange(fn) {
    listeners.push(fn);
  },

  tr(context, text) {
    if (i18n.language !== "en") return text;
    const has = (texts) => Object.prototype.hasOwnProperty.call(texts, context);
    const entries = has(table) ? table[context] : has(pageTexts) ? pageTexts[context] : null;
    if (!entries || !Object.prototype.hasOwnProperty.call(entries, text)) {
      // Japanese left in an English page: noted, so that a test can name it.
      if (/[\u3000-\u30ff\u4e00-\u9fff\uff00-\uffef]/.test(text)) {
        i18n.untranslated.add(context + ": " + text);
      }
      return text;
    }
    return entries[text] || text;
  },

  untranslated: new Set(),
};

markDocument(i18n.language);
