// Copies a script (terser) or a stylesheet (csso) that every first visit
// loads, minified: its bytes count. The page's script, the core's, the
// sheet's and the style are modules or rules of their own; the worker is a
// classic script, whose top-level names stay as written.
// Usage: node minify.mjs SOURCE TARGET
import {minify as minifyStyle} from 'csso';
import {readFileSync, writeFileSync} from 'node:fs';
import {minify as minifyScript} from 'terser';

const [source, target] = process.argv.slice(2);
const text = readFileSync(source, 'utf8');
// Rules are never merged or moved: their order is the cascade's.
const minified = source.endsWith('.css')
  ? minifyStyle(text, { restructure: false }).css
  : (await minifyScript(text, { ecma: 2020, module: !source.endsWith('sw.js'), format: { comments: false } })).code;
writeFileSync(target, `${minified}\n`);
