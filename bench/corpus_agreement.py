#!/usr/bin/python3
"""How far ZEPA's melody of each real file agrees with an independent reading.

Usage: corpus_agreement.py ZEPA FOLDER... [--cache DIR] [--tolerance Q]

For every MusicXML, MIDI and MML file under the folders, ZEPA's melody is
written as a MIDI file on the beat grid (`zepa midi`), and compared with the
melody another program reads in the same file:
  MIDI      mido's notes of the voice ZEPA takes by default (the first track
            and channel with notes, channel 10 only when no other has any);
  MusicXML  MuseScore 3's MIDI of the score (repeats not expanded), the track
            of the first part's upper staff;
  MML       mml2smf's MIDI of a copy in its plain dialect, where the file's
            folder or the cache holds one (NAME.plain.mml), else only whether
            ZEPA reads it.
Both are compared in quarter notes from the start, so tempo changes move
nothing. The reference melody is the top line a listener hears: notes that
start within a 16th of a quarter of one another are one chord, whose highest
note is the melody; a chord under a higher note still held is not heard as
the melody. Pitches are moved by octaves into ZEPA's five (MIDI 48 … 107), as
ZEPA moves them. A note agrees when the other reading has a note of that key
starting within the tolerance (an eighth of a quarter by default).
Recall: agreeing notes of the reference; precision: of ZEPA's (extra notes
count against it). A file agrees when both are at least 95 %.
With --require, exits with failure unless every file is read and each that has a
reading agrees. Needs python3-mido, mscore3 and node with mml2smf (./zepa.sh test
installs them).
"""
import argparse
import os
import pathlib
import subprocess
import sys
import tempfile

import mido

LOWEST, HIGHEST = 48, 107
CHORD_WINDOW = 1 / 16


def fold(key):
    while key < LOWEST:
        key += 12
    while key > HIGHEST:
        key -= 12
    return key


def voices(path):
    """Notes of each (track, channel) in quarters: {(track, channel): [(start, end, key)]}."""
    midi = mido.MidiFile(path, clip=True)
    found = {}
    for number, track in enumerate(midi.tracks):
        tick = 0
        open_notes = {}
        for message in track:
            tick += message.time
            if message.type == 'note_on' and message.velocity > 0:
                open_notes.setdefault((message.channel, message.note), []).append(tick)
            elif message.type in ('note_off', 'note_on'):
                starts = open_notes.get((message.channel, message.note))
                if starts:
                    start = starts.pop(0)
                    found.setdefault((number, message.channel), []).append(
                        (start / midi.ticks_per_beat, tick / midi.ticks_per_beat, message.note))
        for (channel, key), starts in open_notes.items():
            for start in starts:
                found.setdefault((number, channel), []).append(
                    (start / midi.ticks_per_beat, tick / midi.ticks_per_beat, key))
    return found


def top_line(notes):
    """(start, key) of the melody a listener hears in notes [(start, end, key)]."""
    notes = sorted(notes)
    line = []
    i = 0
    while i < len(notes):
        j = i
        while j < len(notes) and notes[j][0] - notes[i][0] <= CHORD_WINDOW:
            j += 1
        chord = notes[i:j]
        onset = chord[0][0]
        top = max(key for _, _, key in chord)
        covered = any(key > top and start < onset and end > onset + CHORD_WINDOW
                      for start, end, key in notes[max(0, i - 64):i])
        if not covered:
            line.append((onset, top))
        i = j
    return line


def agreement(reference, zepa, tolerance):
    """Notes of the reference matched in ZEPA's line, one to one."""
    used = [False] * len(zepa)
    matched = 0
    k = 0
    for onset, key in reference:
        while k < len(zepa) and zepa[k][0] < onset - tolerance:
            k += 1
        for m in range(k, len(zepa)):
            if zepa[m][0] > onset + tolerance:
                break
            if not used[m] and fold(zepa[m][1]) == fold(key):
                used[m] = True
                matched += 1
                break
    return matched


def zepa_line(zepa, path, work):
    out = os.path.join(work, 'zepa.mid')
    if os.path.exists(out):
        os.remove(out)
    run = subprocess.run([zepa, '--lang', 'en', 'midi', str(path), out], capture_output=True, text=True,
                         timeout=120)
    if run.returncode != 0:
        return None, (run.stderr.strip().splitlines() or ['failed'])[-1]
    notes = [n for v in voices(out).values() for n in v]
    return sorted((start, key) for start, _, key in notes), None


def default_voice(found):
    keys = sorted(found)
    pitched = [k for k in keys if k[1] != 9]
    return (pitched or keys or [None])[0]


def without_ornaments(path, cache):
    """A copy of an uncompressed score without its grace and cue notes, which MuseScore plays and ZEPA
    leaves out (and says so); the file itself when it has none or is compressed."""
    if path.suffix.lower() == '.mxl':
        return path
    import xml.etree.ElementTree as ET
    try:
        tree = ET.parse(path)
    except ET.ParseError:
        return path
    removed = 0
    for parent in tree.iter():
        for note in list(parent):
            if note.tag == 'note' and (note.find('grace') is not None or note.find('cue') is not None):
                parent.remove(note)
                removed += 1
    if not removed:
        return path
    copy = cache / (path.stem + '.plain' + path.suffix)
    tree.write(copy, encoding='UTF-8', xml_declaration=True)
    return copy


def usable_musicxml(path):
    """Whether the score says how long its notes are: without <divisions> each program guesses."""
    if path.suffix.lower() == '.mxl':
        return True
    data = path.read_bytes()
    text = data.decode('utf-16', 'replace') if data[:2] in (b'\xff\xfe', b'\xfe\xff') else data.decode('latin-1')
    return '<divisions' in text


def musescore_midi(path, cache):
    target = cache / (path.name + '.mscore.mid')
    path = without_ornaments(path, cache)
    if not target.exists():
        home = cache / 'mscore-home'
        ini = home / '.config' / 'MuseScore' / 'MuseScore3.ini'
        ini.parent.mkdir(parents=True, exist_ok=True)
        ini.write_text('[io]\nmidi\\expandRepeats=false\n')
        env = dict(os.environ, HOME=str(home), QT_QPA_PLATFORM='offscreen')
        subprocess.run(['mscore3', '-o', str(target), str(path)], env=env, capture_output=True, timeout=300)
    return target if target.exists() else None


def mml2smf_midi(path, cache):
    plain = path.with_name(path.stem + '.plain.mml')
    if not plain.exists():
        plain = cache / (path.stem + '.plain.mml')
    if not plain.exists():
        return None
    target = cache / (path.stem + '.mml2smf.mid')
    if not target.exists():
        script = pathlib.Path(__file__).resolve().parent.parent / 'tests' / 'mml' / 'mml2smf_check.mjs'
        modules = pathlib.Path(__file__).resolve().parent.parent / '.checkers' / 'node_modules'
        subprocess.run(['node', str(script), str(modules), str(plain), str(target)], capture_output=True, timeout=120)
    return target if target.exists() else None


def reference_line(path, cache):
    suffix = path.suffix.lower()
    if suffix in ('.mid', '.midi', '.rmi'):
        source = path
        if suffix == '.rmi':
            data = path.read_bytes()
            at = data.find(b'MThd')
            source = cache / (path.name + '.mid')
            source.write_bytes(data[at:])
        found = voices(source)
        voice = default_voice(found)
        return top_line(found[voice]) if voice else []
    if suffix in ('.xml', '.musicxml', '.mxl'):
        if not usable_musicxml(path):
            return None
        midi = musescore_midi(path, cache)
        if not midi:
            return None
        found = voices(midi)
        tracks = sorted(k for k in found if k[0] > 0)
        return top_line(found[tracks[0]]) if tracks else []
    midi = mml2smf_midi(path, cache)
    if not midi:
        return None
    found = voices(midi)
    voice = default_voice(found)
    return top_line(found[voice]) if voice else []


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('zepa')
    parser.add_argument('folders', nargs='+')
    parser.add_argument('--cache', default=os.path.join(tempfile.gettempdir(), 'zepa-corpus-cache'))
    parser.add_argument('--tolerance', type=float, default=1 / 8)
    parser.add_argument('--require', action='store_true',
                        help='fail unless ZEPA reads every file and each with a reading agrees')
    args = parser.parse_args()
    failed = []
    cache = pathlib.Path(args.cache)
    cache.mkdir(parents=True, exist_ok=True)
    kinds = {'.xml': 'MusicXML', '.musicxml': 'MusicXML', '.mxl': 'MusicXML', '.mid': 'MIDI', '.midi': 'MIDI',
             '.rmi': 'MIDI', '.mml': 'MML'}
    totals = {}
    with tempfile.TemporaryDirectory() as work:
        files = sorted(p for folder in args.folders for p in pathlib.Path(folder).rglob('*')
                       if p.suffix.lower() in kinds and not p.name.endswith('.plain.mml'))
        for path in files:
            kind = kinds[path.suffix.lower()]
            total = totals.setdefault(kind, {'files': 0, 'read': 0, 'compared': 0, 'agree': 0, 'ref': 0,
                                             'zepa': 0, 'matched': 0})
            total['files'] += 1
            line, error = zepa_line(args.zepa, path, work)
            if line is not None:
                total['read'] += 1
            reference = reference_line(path, cache)
            if line is None and reference == []:
                print(f'{path.name}\t{kind}\tno notes\tneither reading has any ({error})')
                continue
            if line is None:
                print(f'{path.name}\t{kind}\trefused\t{error}')
                failed.append(path.name)
                continue
            if not reference:
                print(f'{path.name}\t{kind}\tread\t{len(line)} notes, no independent reading')
                continue
            matched = agreement(reference, line, args.tolerance)
            recall = matched / len(reference)
            precision = matched / len(line) if line else 0
            agrees = recall >= 0.95 and precision >= 0.95
            total['compared'] += 1
            total['agree'] += agrees
            if not agrees:
                failed.append(path.name)
            total['ref'] += len(reference)
            total['zepa'] += len(line)
            total['matched'] += matched
            print(f'{path.name}\t{kind}\t{"agrees" if agrees else "differs"}\trecall {recall:.3f}\t'
                  f'precision {precision:.3f}\t({matched} of {len(reference)} / {len(line)})')
    print()
    for kind, t in sorted(totals.items()):
        share = t['agree'] / t['compared'] if t['compared'] else 0
        recall = t['matched'] / t['ref'] if t['ref'] else 0
        precision = t['matched'] / t['zepa'] if t['zepa'] else 0
        print(f'{kind}: {t["read"]} of {t["files"]} read; {t["agree"]} of {t["compared"]} compared agree '
              f'({share:.1%}); notes: recall {recall:.1%}, precision {precision:.1%}')
    if args.require and failed:
        return 'not read as their authors meant: ' + ', '.join(failed)
    return 0


if __name__ == '__main__':
    sys.exit(main())
