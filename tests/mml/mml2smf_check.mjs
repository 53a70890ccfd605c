// Makes a Standard MIDI File of a melody file with mml2smf (npm, MIT), an MML
// reader no one here wrote, at 960 ticks a quarter note. Exits 0 when it read
// the file, 1 with the place of its error otherwise.
// Usage: node mml2smf_check.mjs NODE_MODULES_DIR INPUT.mml OUTPUT.mid
import fs from 'fs';
import path from 'path';
import url from 'url';

const [modules, input, output] = process.argv.slice(2);
const { default: mml2smf } = await import(url.pathToFileURL(path.join(modules, 'mml2smf', 'src', 'mml2smf.mjs')));
try {
    fs.writeFileSync(output, mml2smf(fs.readFileSync(input, 'utf8'), { timebase: 960 }));
} catch (error) {
    const where = error.location ? `line ${error.location.start.line} column ${error.location.start.column}: ` : '';
    process.stderr.write(where + String(error.message || error) + '\n');
    process.exit(1);
}
