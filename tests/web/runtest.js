// Runs one test program of the browser build under node:
//   node runtest.js tst_name.js [test arguments]
// Its exit status is the test's.
"use strict";
const fs = require("fs");
const path = require("path");
// Qt asks the browser for its language; under node there is none.
globalThis.navigator = globalThis.navigator || { language: "ja-JP" };
// A clock that stands still at ZENTA_CLOCK (ms since 1970), for the seed.
if (process.env.ZENTA_CLOCK)
  Date.now = () => Number(process.env.ZENTA_CLOCK);
const program = path.resolve(process.argv[2]);
const create = require(program);
create({
  // The program's .wasm beside it, read from the disk (node's fetch takes
  // no file paths).
  instantiateWasm: (imports, receive) => {
    WebAssembly.instantiate(fs.readFileSync(program.replace(/\.js$/, ".wasm")), imports)
      .then(({ instance, module }) => receive(instance, module));
    return {};
  },
  arguments: process.argv.slice(3),
  print: (text) => console.log(text),
  printErr: (text) => console.error(text),
  onExit: (code) => process.exit(code),
}).catch((error) => {
  console.error(error);
  process.exit(1);
});
