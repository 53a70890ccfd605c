#!/usr/bin/python3
"""The English translation is complete and current, and says what the source says.

Run as: check_translations.py LUPDATE SOURCE_DIR TS_FILE

Qt Linguist's own lupdate reads every layer's sources into a copy of the
committed .ts: a text added, changed or removed in the sources then shows as
an unfinished or vanished entry, which fails here, as does an entry whose
translation drops or adds a %1 (the .arg() then fills the wrong place), an
access key (&X), or a line break.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

JAPANESE = re.compile('[\u3040-\u30ff\u3400-\u9fff\uff01-\uff5e\u3000-\u303f]')


def check(failures, where, source, text):
    if sorted(re.findall(r'%\d', source)) != sorted(re.findall(r'%\d', text)):
        failures.append('%s: the translation %r has other places to fill' % (where, text))
    if ('&' in re.sub(r'&&', '', source)) != ('&' in re.sub(r'&&', '', text)) and '(&' in source:
        failures.append('%s: the translation %r has no access key' % (where, text))
    # English as it is written: no Japanese left in it (but the language's own
    # name, 日本語, as a language menu shows it) and access keys as underlined
    # letters of the words, not Japanese's "(&A)" after them.
    if JAPANESE.search(text.replace('日本語', '')):
        failures.append('%s: the translation %r has Japanese in it' % (where, text))
    if re.search(r'\(&[A-Za-z0-9]\)', text):
        failures.append('%s: the translation %r gives its access key as "(&X)"' % (where, text))
    if source.count('\n') != text.count('\n') and not source.startswith('使い方:') \
            and not source.startswith('\nオプション'):
        failures.append('%s: the translation %r breaks its lines elsewhere' % (where, text))


lupdate, source_dir, ts_file = sys.argv[1:4]
failures = []
with tempfile.TemporaryDirectory() as folder:
    copy = os.path.join(folder, os.path.basename(ts_file))
    shutil.copyfile(ts_file, copy)
    run = subprocess.run([lupdate, '-silent', '-source-language', 'ja', '-target-language', 'en',
                          '-locations', 'none', os.path.join(source_dir, 'src'), '-ts', copy],
                         capture_output=True, text=True)
    if run.returncode != 0:
        sys.exit('lupdate failed: ' + run.stderr)
    if run.stderr.strip():
        failures.append('lupdate warned: ' + run.stderr.strip())
    messages = 0
    for context in ET.parse(copy).getroot().iter('context'):
        name = context.findtext('name')
        for message in context.iter('message'):
            messages += 1
            source = message.findtext('source') or ''
            translation = message.find('translation')
            kind = translation.get('type')
            where = '%s: %r' % (name, source[:60])
            # A message with plural forms (%n) is checked in each form.
            forms = [form.text or '' for form in translation.iter('numerusform')] \
                if message.get('numerus') == 'yes' else [translation.text or '']
            if kind in ('unfinished', 'vanished', 'obsolete') or not all(forms):
                failures.append('%s is %s' % (where, kind or 'empty'))
                continue
            for text in forms:
                check(failures, where, source, text)
print('%d messages checked' % messages)
for failure in failures:
    print(failure)
sys.exit(1 if failures else 0)
