#!/usr/bin/env node
// Turns the desktop's Qt translation file into the page's translations.json:
//   { "<context>": { "<Japanese source>": "<English>" } }
// Unfinished, obsolete and vanished entries are left out, as lrelease leaves them out.
//   node ts_to_json.mjs IN.ts OUT.json
import { readFileSync, writeFileSync } from "node:fs";

function unescapeXml(text) {
  return text.replace(/&(#x[0-9a-fA-F]+|#[0-9]+|amp|lt|gt|quot|apos);/g, (_, name) => {
    if (name[0] === "#") {
      const code = name[1] === "x" ? parseInt(name.slice(2), 16) : parseInt(name.slice(1), 10);
      return String.fromCodePoint(code);
    }
    return { amp: "&", lt: "<", gt: ">", quot: '"', apos: "'" }[name];
  });
}

function element(xml, tag) {
  const found = xml.match(new RegExp(`<${tag}(\\s[^>]*)?>([\\s\\S]*?)</${tag}>`));
  return found ? { attributes: found[1] || "", text: found[2] } : null;
}

function convert(ts) {
  const out = {};
  let count = 0;
  for (const [, context] of ts.matchAll(/<context>([\s\S]*?)<\/context>/g)) {
    const name = unescapeXml(element(context, "name").text);
    for (const [, message] of context.matchAll(/<message(?:\s[^>]*)?>([\s\S]*?)<\/message>/g)) {
      const source = element(message, "source");
      const translation = element(message, "translation");
      if (!source || !translation) continue;
      if (/type="(unfinished|obsolete|vanished)"/.test(translation.attributes)) continue;
      // A plural message keeps its first form: the game has none today.
      const plural = element(translation.text, "numerusform");
      const english = unescapeXml(plural ? plural.text : translation.text);
      if (english === "") continue;
      const japanese = unescapeXml(source.text);
      out[name] = out[name] || {};
      if (Object.prototype.hasOwnProperty.call(out[name], japanese)) {
        throw new Error(`${name}: "${japanese}" is translated twice`);
      }
      out[name][japanese] = english;
      ++count;
    }
  }
  return { table: out, count };
}

const [input, output] = process.argv.slice(2);
if (!input || !output) {
  console.error("usage: node ts_to_json.mjs IN.ts OUT.json");
  process.exit(2);
}
try {
  const { table, count } = convert(readFileSync(input, "utf8"));
  writeFileSync(output, JSON.stringify(table, null, 1) + "\n");
  console.log(`${output}: ${count} texts`);
} catch (e) {
  console.error(`ts_to_json: ${input}: ${e.message}`);
  process.exit(1);
}
