// The estimation core of the desktop program (core/), compiled to WebAssembly. Every figure,
// list, caption and warning text comes from there; this module only carries texts across, as
// UTF-8, and turns the module's JSON answers into objects.
//
//   const core = await loadCore();        // or loadCore(url), or loadCore(bytes) under node
//   core.grades, core.shapes              // in list order, frozen
//   core.dimensionResetText               // "0,0"
//   core.gradeMissingWarning, core.shapeMissingWarning   // {title, prompt}
//   core.gradeFromText(text), core.shapeFromText(text)   // an entry of the lists, or null
//   core.computeEstimate({shapeText, densityText, piecesText, dimension1Text, dimension2Text,
//                         dimension3Text, priceText, priceBasis})
//   core.decimalFieldKey(code), core.piecesFieldKey(code)  // 0 discards the character
//   core.inputWarning(status, faultyField, fieldCaption, externalDiameterCaption)

const encoder = new TextEncoder();
const decoder = new TextDecoder();

// The order in which the module reads the texts of an estimate.
const estimateTextNames = [
  'shapeText',
  'densityText',
  'piecesText',
  'dimension1Text',
  'dimension2Text',
  'dimension3Text',
  'priceText',
  'priceBasis',
];

// WASI's "function not supported": the module prints nothing, so no call of its C library
// should reach the system, and none is served.
const ENOSYS = 52;

function systemStandIns(module) {
  const imports = {};
  for (const { module: from, name, kind } of WebAssembly.Module.imports(module)) {
    if (kind === 'function') {
      imports[from] ??= {};
      imports[from][name] = () => ENOSYS;
    }
  }
  return imports;
}

async function compile(source) {
  if (source instanceof ArrayBuffer || ArrayBuffer.isView(source)) {
    return WebAssembly.compile(source);
  }
  const response = await fetch(source ?? new URL('kalvora-core.wasm', import.meta.url));
  if (!response.ok) {
    throw new Error(`${response.url}: ${response.status} ${response.statusText}`);
  }
  // Streaming compilation takes the type alone, without parameters; any other type, from a
  // server that does not know .wasm files, is compiled from the bytes.
  const type = response.headers.get('Content-Type') ?? '';
  if (type.trim().toLowerCase() === 'application/wasm') {
    return WebAssembly.compileStreaming(response);
  }
  return WebAssembly.compile(await response.arrayBuffer());
}

function deepFreeze(value) {
  if (value !== null && typeof value === 'object') {
    Object.values(value).forEach(deepFreeze);
    Object.freeze(value);
  }
  return value;
}

function requireText(value, name) {
  if (typeof value !== 'string') {
    throw new TypeError(`${name} must be a string`);
  }
  return value;
}

// The module's functions, with texts in and JSON out.
function channel(exports) {
  const writeTexts = (texts) => {
    const encoded = texts.map((text) => encoder.encode(text));
    const size = encoded.reduce((sum, bytes) => sum + 4 + bytes.length, 0);
    let at = exports.kalvora_input_area(size);
    // Memory may have grown: views are taken after the call.
    const view = new DataView(exports.memory.buffer);
    const memory = new Uint8Array(exports.memory.buffer);
    for (const bytes of encoded) {
      view.setUint32(at, bytes.length, true);
      memory.set(bytes, at + 4);
      at += 4 + bytes.length;
    }
  };
  const readJson = (pointer) => {
    const memory = new Uint8Array(exports.memory.buffer);
    const end = memory.indexOf(0, pointer);
    const text = decoder.decode(memory.subarray(pointer, end));
    return text === '' ? null : JSON.parse(text);
  };
  return { writeTexts, readJson };
}

export async function loadCore(wasmUrl) {
  const module = await compile(wasmUrl);
  const { exports } = await WebAssembly.instantiate(module, systemStandIns(module));
  exports._initialize();
  const { writeTexts, readJson } = channel(exports);
  const catalogue = deepFreeze(readJson(exports.kalvora_catalogue()));

  const indexOfName = (names, name, what) => {
    const index = names.indexOf(name);
    if (index < 0) {
      throw new TypeError(`unknown ${what}: ${name}`);
    }
    return index;
  };

  return Object.freeze({
    grades: catalogue.grades,
    shapes: catalogue.shapes,
    dimensionResetText: catalogue.dimensionResetText,
    gradeMissingWarning: catalogue.gradeMissingWarning,
    shapeMissingWarning: catalogue.shapeMissingWarning,

    gradeFromText(text) {
      writeTexts([requireText(text, 'text')]);
      return catalogue.grades[exports.kalvora_grade_index()] ?? null;
    },

    shapeFromText(text) {
      writeTexts([requireText(text, 'text')]);
      return catalogue.shapes[exports.kalvora_shape_index()] ?? null;
    },

    computeEstimate(input) {
      writeTexts(estimateTextNames.map((name) => requireText(input[name], name)));
      const result = readJson(exports.kalvora_estimate());
      if (result === null) {
        throw new TypeError(`priceBasis must be PerKilogram or PerMetre: ${input.priceBasis}`);
      }
      return result;
    },

    decimalFieldKey(code) {
      return exports.kalvora_decimal_field_key(code);
    },

    piecesFieldKey(code) {
      return exports.kalvora_pieces_field_key(code);
    },

    inputWarning(status, faultyField, fieldCaption, externalDiameterCaption) {
      const statusIndex = indexOfName(catalogue.statusNames, status, 'status');
      const fieldIndex = indexOfName(catalogue.fieldNames, faultyField, 'field');
      writeTexts([
        requireText(fieldCaption, 'fieldCaption'),
        requireText(externalDiameterCaption, 'externalDiameterCaption'),
      ]);
      return readJson(exports.kalvora_input_warning(statusIndex, fieldIndex));
    },
  });
}
