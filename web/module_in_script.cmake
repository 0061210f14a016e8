# Writes the module into a script beside it, MODULE.js, for a page that may fetch nothing.
file(READ ${MODULE} bytes HEX)
file(WRITE ${MODULE}.js "Module.wasmBinary = Uint8Array.from('${bytes}'.match(/../g), (byte) => parseInt(byte, 16));\n")
