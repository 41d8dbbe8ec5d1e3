// Acorn's tokens of JavaScript sources, for the string check's reader
// (source_texts.py), which keeps one of these running: each line read is a
// source as a JSON string, each line written its tokens as [kind, text]
// pairs (text: a string's or a template piece's value, a name, an operator),
// or null where acorn cannot read the source.
import {createRequire} from 'node:module';
import {createInterface} from 'node:readline';

// Debian's node-acorn, which the caller finds through NODE_PATH.
const acorn = createRequire(import.meta.url)('acorn');

function tokens(source) {
  try {
    return [...acorn.tokenizer(source, { ecmaVersion: 'latest', sourceType: 'module', allowHashBang: true })].map(
      (token) => [token.type.label, typeof token.value === 'string' ? token.value : null]);
  } catch (error) {
    if (error instanceof SyntaxError) return null;
    throw error;
  }
}

for await (const line of createInterface({ input: process.stdin })) {
  process.stdout.write(`${JSON.stringify(tokens(JSON.parse(line)))}\n`);
}
