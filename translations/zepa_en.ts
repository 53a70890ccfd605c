<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>AboutWindow</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>ｼｽﾃﾑ情報(&amp;S)...</source>
        <translation>&amp;System Info...</translation>
    </message>
    <message>
        <source>着メロを作るように、音楽が簡易的に作成できます。</source>
        <translation>Make a simple melody, as easily as a ringtone.</translation>
    </message>
    <message>
        <source>詳細はReadme.txtを読んでください</source>
        <translation>For details, see the user&apos;s guide (F1).</translation>
    </message>
    <message>
        <source>ﾊﾞｰｼﾞｮﾝ </source>
        <translation>Version </translation>
    </message>
    <message>
        <source>%1のﾊﾞｰｼﾞｮﾝ情報</source>
        <translation>About %1</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>使い方: zepa [--lang ja|en] [ファイル]
        zepa [--lang ja|en] コマンド [--force] 引数…
引数なしで起動するとウィンドウを開きます。メロディファイルなどを指定すると、そのテンポで作曲ウィンドウを開きます。

コマンド:
</source>
        <translation>Usage: zepa [--lang ja|en] [FILE]
       zepa [--lang ja|en] COMMAND [--force] ARGUMENTS...
Without a command ZEPA opens its windows; with a melody file (or a program, a MIDI file or MusicXML) it opens the composer on it, at its tempo.

Commands:
</translation>
    </message>
    <message>
        <source>例:</source>
        <translation>e.g.</translation>
    </message>
    <message>
        <source>
オプション:
  --force    出力ファイルがあれば置き換える（ないと置き換えません）
  --lang     表示の言語: ja 日本語、en 英語（省くと設定「表示言語」かシステムの言語）
  --help     この説明（zepa コマンド --help でコマンドごとの説明）
  --version  名前とバージョン

INPUT はメロディファイル（.mml）、ZEPAが書いたNQCプログラム（music0.nqc など）、MIDIファイル（.mid）、MusicXML（.musicxml、.xml、.mxl）のどれかです。
終了コード: 0 成功、1 ファイルを読み書きできなかった、2 使い方の誤り。
</source>
        <translation>
Options:
  --force    replace an output file that exists (never replaced otherwise)
  --lang     the language of the texts: ja Japanese, en English (without it, the
             setting Help &gt; Language or the system&apos;s language)
  --help     this text; zepa COMMAND --help explains one command
  --version  the program&apos;s name and version

INPUT is a melody file (.mml), an NQC program that ZEPA wrote (music0.nqc, ...),
a MIDI file (.mid) or MusicXML (.musicxml, .xml, .mxl).
Exit status: 0 success, 1 a file could not be read or written, 2 a usage error.
</translation>
    </message>
    <message>
        <source>使い方</source>
        <translation>Usage</translation>
    </message>
    <message>
        <source>--lang には ja（日本語）か en（英語）を書いてください（「%1」は使えません）</source>
        <translation>--lang takes ja (Japanese) or en (English), not &quot;%1&quot;</translation>
    </message>
    <message>
        <source>%1 zepa --help で使い方を見てください</source>
        <translation>%1; see zepa --help</translation>
    </message>
    <message>
        <source>コマンドがありません。zepa --help で使い方を見てください</source>
        <translation>no command given; see zepa --help</translation>
    </message>
    <message>
        <source>「%1」というコマンドはありません。zepa --help で使い方を見てください</source>
        <translation>unknown command &quot;%1&quot;; see zepa --help</translation>
    </message>
    <message>
        <source>%1 はファイルを書かないので --force は使えません</source>
        <translation>%1 writes no file and takes no --force</translation>
    </message>
    <message>
        <source>%1 には --%2 は使えません</source>
        <translation>%1 takes no --%2</translation>
    </message>
    <message>
        <source>%1 の引数は %2 です。zepa %1 --help で説明を見てください</source>
        <translation>%1 takes %2; see zepa %1 --help</translation>
    </message>
    <message>
        <source>%1: このファイルはありません。名前と場所を確かめてください</source>
        <translation>%1: the file does not exist; check its name and folder</translation>
    </message>
    <message>
        <source>%1: 読めません: %2</source>
        <translation>%1: cannot read: %2</translation>
    </message>
    <message>
        <source>%1: トラック %2 チャンネル %3 には音がありません。音があるのは %4 です</source>
        <translation>%1: no notes in track %2 channel %3; notes are in %4</translation>
    </message>
    <message>
        <source>どれでも</source>
        <translation>any</translation>
    </message>
    <message>
        <source>%1: 音がわかりません: %2</source>
        <translation>%1: its notes cannot be told: %2</translation>
    </message>
    <message>
        <source>%1: もうあるので置き換えませんでした（--force を付けると置き換えます）</source>
        <translation>%1: exists already; not replaced (--force replaces it)</translation>
    </message>
    <message>
        <source>%1: 書き込めません: %2</source>
        <translation>%1: cannot write: %2</translation>
    </message>
    <message>
        <source>%1 はMIDIファイルではありません。--track と --channel はMIDIファイルの声部を選びます</source>
        <translation>%1 is not a MIDI file; --track and --channel choose a voice of one</translation>
    </message>
    <message>
        <source>ここでは music0.nqc から music32767.nqc までがすべて使われています。ほかのフォルダで書き出すか、出力のファイル名を指定してください</source>
        <translation>music0.nqc to music32767.nqc are all taken here: write in another folder, or name the output file</translation>
    </message>
    <message>
        <source>再生中に音の出力装置がなくなりました</source>
        <translation>the sound output device went away while playing</translation>
    </message>
    <message>
        <source>音の出力装置が見つかりません。zepa render で曲をWAVファイルに書き出せます</source>
        <translation>no sound output device found; &apos;zepa render&apos; writes the melody as a WAV file instead</translation>
    </message>
    <message>
        <source>--track にはトラックの番号（1 から）を書いてください</source>
        <translation>--track takes a track number from 1</translation>
    </message>
    <message>
        <source>--channel にはチャンネルの番号（1 から 16）を書いてください</source>
        <translation>--channel takes a channel number from 1 to 16</translation>
    </message>
    <message>
        <source>--meter には 4/4、3/4、2/4、none のどれかを書いてください</source>
        <translation>--meter takes 4/4, 3/4, 2/4 or none</translation>
    </message>
    <message>
        <source>--slot にはプログラムの番号（1 から 5）を書いてください</source>
        <translation>--slot takes a program slot from 1 to 5</translation>
    </message>
    <message>
        <source>%1 の --target には次のどれかが要ります：%2</source>
        <translation>%1 needs --target, one of: %2</translation>
    </message>
    <message numerus="yes">
        <source>--track %1 --channel %2（%n 音）</source>
        <translation>
            <numerusform>--track %1 --channel %2 (%n note)</numerusform>
            <numerusform>--track %1 --channel %2 (%n notes)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CommandRegistry</name>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
</context>
<context>
    <name>ComposerAccessibility</name>
    <message>
        <source>鍵盤：この音の高さを選びます（キー %1）</source>
        <translation>Keyboard: chooses this pitch (key %1)</translation>
    </message>
    <message>
        <source>音の高さ（オクターブ）。Page Up／Page Down で上げ下げします</source>
        <translation>The octave; Page Up / Page Down move it up and down</translation>
    </message>
    <message>
        <source>音間の長さ（キー %1）</source>
        <translation>The gap after the note (key %1)</translation>
    </message>
    <message>
        <source>選んだ音を曲の最後に加えます（Enter）</source>
        <translation>Adds the chosen note at the end of the melody (Enter)</translation>
    </message>
    <message>
        <source>音の代わりに休符を選びます（キー 0）</source>
        <translation>Chooses a rest instead of a note (key 0)</translation>
    </message>
    <message>
        <source>最後の音と同じ音と長さを選びます</source>
        <translation>Chooses the same note and length as the last one</translation>
    </message>
    <message>
        <source>最後の音を消します（BackSpace）</source>
        <translation>Removes the last note (BackSpace)</translation>
    </message>
    <message>
        <source>NQCプログラムを書き出して作曲を終わります</source>
        <translation>Writes the NQC program and ends composing</translation>
    </message>
    <message>
        <source>ZEPAのバージョンを表示します</source>
        <translation>Shows ZEPA&apos;s version</translation>
    </message>
    <message>
        <source>音の長さ：%1（キー %2）</source>
        <translation>Length: %1 (key %2)</translation>
    </message>
</context>
<context>
    <name>ComposerActions</name>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>ほかのブロック用に書き出す(&amp;B)</source>
        <translation>Export for Other &amp;Bricks</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>再生(&amp;P)</source>
        <translation>&amp;Play</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>新規作成(&amp;N)...</source>
        <translation>&amp;New...</translation>
    </message>
    <message>
        <source>開く(&amp;O)...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>最近使ったファイル(&amp;R)</source>
        <translation>&amp;Recent Files</translation>
    </message>
    <message>
        <source>MIDIファイルを取り込む(&amp;I)...</source>
        <translation>&amp;Import MIDI File...</translation>
    </message>
    <message>
        <source>上書き保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>名前を付けて保存(&amp;A)...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>RCXに送る(&amp;T)...</source>
        <translation>Send &amp;to RCX...</translation>
    </message>
    <message>
        <source>楽譜を印刷(&amp;P)...</source>
        <translation>&amp;Print Score...</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>元に戻す(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>やり直し(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>移調(&amp;M)...</source>
        <translation>&amp;Transpose...</translation>
    </message>
    <message>
        <source>テンポの変更(&amp;P)...</source>
        <translation>Change Tem&amp;po...</translation>
    </message>
    <message>
        <source>楽譜を表示(&amp;V)</source>
        <translation>&amp;View Score</translation>
    </message>
    <message>
        <source>最初から再生(&amp;S)</source>
        <translation>Play from the &amp;Start</translation>
    </message>
    <message>
        <source>最後の１０音を再生(&amp;L)</source>
        <translation>Play the &amp;Last 10 Notes</translation>
    </message>
    <message>
        <source>停止(&amp;T)</source>
        <translation>S&amp;top</translation>
    </message>
    <message>
        <source>鍵盤の音を鳴らす(&amp;K)</source>
        <translation>Sound the &amp;Keys</translation>
    </message>
    <message>
        <source>使い方(&amp;R)</source>
        <translation>User&apos;s &amp;Guide</translation>
    </message>
    <message>
        <source>キー操作(&amp;K)</source>
        <translation>&amp;Keyboard Shortcuts</translation>
    </message>
    <message>
        <source>表示言語(&amp;L)</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>ZEPAについて(&amp;A)</source>
        <translation>&amp;About ZEPA</translation>
    </message>
</context>
<context>
    <name>ComposerCaptions</name>
    <message>
        <source>入力成功</source>
        <translation>Entered</translation>
    </message>
    <message>
        <source>クリア成功</source>
        <translation>Cleared</translation>
    </message>
    <message>
        <source>%1%2</source>
        <comment>the history so far, then the next note</comment>
        <translation>%1 %2</translation>
    </message>
</context>
<context>
    <name>ComposerMenus</name>
    <message>
        <source>（まだありません）</source>
        <translation>(none yet)</translation>
    </message>
    <message>
        <source>システムの言語に合わせる(&amp;S)</source>
        <translation>Follow the &amp;System</translation>
    </message>
    <message>
        <source>表示言語は、ZEPAを次に起動したときから変わります。</source>
        <translation>The language changes when ZEPA starts next time.</translation>
    </message>
    <message>
        <source>表示言語</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>テンポを決めて、新しい曲を始めます。</source>
        <translation>Starts a new melody at a tempo you choose.</translation>
    </message>
    <message>
        <source>メロディファイル、ZEPAが書いたNQCプログラム、MIDIファイル、MusicXMLを開きます。</source>
        <translation>Opens a melody file, an NQC program ZEPA wrote, a MIDI file or MusicXML.</translation>
    </message>
    <message>
        <source>最近開いたか保存したファイルを開きます。</source>
        <translation>Opens a file you opened or saved lately.</translation>
    </message>
    <message>
        <source>MIDIファイルの一つの声部で今の曲を置き換えます。</source>
        <translation>Replaces the melody with one voice of a MIDI file.</translation>
    </message>
    <message>
        <source>今のメロディファイルに保存します。</source>
        <translation>Saves the melody to its melody file.</translation>
    </message>
    <message>
        <source>名前を付けてメロディファイルに保存します。</source>
        <translation>Saves the melody to a melody file under a new name.</translation>
    </message>
    <message>
        <source>曲を赤外線タワーでRCXに送ります。</source>
        <translation>Sends the melody to the RCX through the infrared tower.</translation>
    </message>
    <message>
        <source>楽譜を印刷します（先に題名を聞きます）。</source>
        <translation>Prints the sheet music (asks for its title first).</translation>
    </message>
    <message>
        <source>作曲画面を閉じます。</source>
        <translation>Closes the composer.</translation>
    </message>
    <message>
        <source>最後の変更を元に戻します。</source>
        <translation>Undoes the last change.</translation>
    </message>
    <message>
        <source>元に戻した変更をやり直します。</source>
        <translation>Redoes the change you undid.</translation>
    </message>
    <message>
        <source>曲のすべての音を同じ半音の数だけ上げ下げします。</source>
        <translation>Moves every note of the melody up or down by the same number of semitones.</translation>
    </message>
    <message>
        <source>曲のテンポを変えます。音の長さの種類はそのままです。</source>
        <translation>Changes the tempo of the melody; every note keeps its kind of length.</translation>
    </message>
    <message>
        <source>曲を五線譜と音の一覧で見せます。</source>
        <translation>Shows the melody on a staff and as a list of notes.</translation>
    </message>
    <message>
        <source>曲を最初から鳴らします。鳴っている間は F5 で止まります。</source>
        <translation>Plays the melody from the start; F5 stops it while it plays.</translation>
    </message>
    <message>
        <source>曲の最後の１０音を鳴らします。</source>
        <translation>Plays the last 10 notes of the melody.</translation>
    </message>
    <message>
        <source>鳴っている曲を止めます。</source>
        <translation>Stops the melody playing.</translation>
    </message>
    <message>
        <source>鍵盤を押したとき、その音を鳴らします。</source>
        <translation>Sounds each key of the keyboard as you press it.</translation>
    </message>
    <message>
        <source>ZEPAの使い方を見せます。</source>
        <translation>Shows how to use ZEPA.</translation>
    </message>
    <message>
        <source>キーとその働きの一覧を見せます。</source>
        <translation>Lists the keys and what each does.</translation>
    </message>
    <message>
        <source>画面の言語を選びます。</source>
        <translation>Chooses the language of the windows.</translation>
    </message>
    <message>
        <source>ZEPAのバージョンを見せます。</source>
        <translation>Shows the version of ZEPA.</translation>
    </message>
</context>
<context>
    <name>ComposerStatusBar</name>
    <message>
        <source>RCXに入りきりません</source>
        <translation>too large for the RCX</translation>
    </message>
    <message>
        <source>テンポ（１分間の四分音符の数）と楽譜の音の数</source>
        <translation>The tempo (quarter notes a minute) and the number of notes in the score</translation>
    </message>
    <message>
        <source>書き出すNQCプログラムの大きさ（RCXのプログラム用メモリは約6KB）</source>
        <translation>The size of the NQC program written (the RCX has about 6 KB for programs)</translation>
    </message>
    <message>
        <source>%1 / %2 バイト</source>
        <translation>%1 / %2 bytes</translation>
    </message>
    <message>
        <source>状態</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>テンポと音の数</source>
        <translation>Tempo and notes</translation>
    </message>
    <message>
        <source>プログラムの大きさ</source>
        <translation>Program size</translation>
    </message>
    <message numerus="yes">
        <source>♩=%1&#x3000;%n音</source>
        <translation>
            <numerusform>♩=%1  %n note</numerusform>
            <numerusform>♩=%1  %n notes</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ComposerWindow</name>
    <message>
        <source>作曲</source>
        <translation>Compose</translation>
    </message>
    <message>
        <source>ド</source>
        <translation>C</translation>
    </message>
    <message>
        <source>レ</source>
        <translation>D</translation>
    </message>
    <message>
        <source>ミ</source>
        <translation>E</translation>
    </message>
    <message>
        <source>ファ</source>
        <translation>F</translation>
    </message>
    <message>
        <source>ソ</source>
        <translation>G</translation>
    </message>
    <message>
        <source>ラ</source>
        <translation>A</translation>
    </message>
    <message>
        <source>シ</source>
        <translation>B</translation>
    </message>
    <message>
        <source>ド＃</source>
        <translation>C#</translation>
    </message>
    <message>
        <source>レ＃</source>
        <translation>D#</translation>
    </message>
    <message>
        <source>ファ＃</source>
        <translation>F#</translation>
    </message>
    <message>
        <source>ソ＃</source>
        <translation>G#</translation>
    </message>
    <message>
        <source>ラ＃</source>
        <translation>A#</translation>
    </message>
    <message>
        <source>休符</source>
        <translation>Rest</translation>
    </message>
    <message>
        <source>入力確定</source>
        <translation>Enter Note</translation>
    </message>
    <message>
        <source>一つ前と同じ音および長さ</source>
        <translation>Same Note as Before</translation>
    </message>
    <message>
        <source>基本長</source>
        <translation>Plain</translation>
    </message>
    <message>
        <source>４／４</source>
        <translation>4/4</translation>
    </message>
    <message>
        <source>２／４</source>
        <translation>2/4</translation>
    </message>
    <message>
        <source>１／４</source>
        <translation>1/4</translation>
    </message>
    <message>
        <source>１／８</source>
        <translation>1/8</translation>
    </message>
    <message>
        <source>１／１６</source>
        <translation>1/16</translation>
    </message>
    <message>
        <source>１／３２</source>
        <translation>1/32</translation>
    </message>
    <message>
        <source>複合長</source>
        <translation>Dotted</translation>
    </message>
    <message>
        <source>３／４</source>
        <translation>3/4</translation>
    </message>
    <message>
        <source>３／８</source>
        <translation>3/8</translation>
    </message>
    <message>
        <source>３／１６</source>
        <translation>3/16</translation>
    </message>
    <message>
        <source>３／３２</source>
        <translation>3/32</translation>
    </message>
    <message>
        <source>連符</source>
        <translation>Trip.</translation>
    </message>
    <message>
        <source>三連四分音符</source>
        <translation>Quarter Triplet</translation>
    </message>
    <message>
        <source>三連八分音符</source>
        <translation>Eighth Triplet</translation>
    </message>
    <message>
        <source>三連十六分音符</source>
        <translation>16th Triplet</translation>
    </message>
    <message>
        <source>音の高さ</source>
        <translation>Octave</translation>
    </message>
    <message>
        <source>最低音</source>
        <translation>Lowest</translation>
    </message>
    <message>
        <source>低音</source>
        <translation>Low</translation>
    </message>
    <message>
        <source>中音</source>
        <translation>Middle</translation>
    </message>
    <message>
        <source>高音</source>
        <translation>High</translation>
    </message>
    <message>
        <source>最高音</source>
        <translation>Highest</translation>
    </message>
    <message>
        <source>音間の長さ</source>
        <translation>Gap after the Note</translation>
    </message>
    <message>
        <source>普通の長さ</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>スタッカート</source>
        <translation>Staccato</translation>
    </message>
    <message>
        <source>スラーまたはタイ</source>
        <translation>Slur or Tie</translation>
    </message>
    <message>
        <source>現在作成中の音</source>
        <translation>Note Being Made</translation>
    </message>
    <message>
        <source>これまでの入力履歴（音のみ１０個分）</source>
        <translation>Notes Entered (the Last 10)</translation>
    </message>
    <message>
        <source>一つ前の音をクリアする</source>
        <translation>Clear the Last Note</translation>
    </message>
    <message>
        <source>Ver.情報</source>
        <translation>About</translation>
    </message>
    <message>
        <source>作曲終了</source>
        <translation>Finish</translation>
    </message>
    <message>
        <source>音を出せる装置が見つかりません。
WAVファイルに書き出せば、曲を聞くことができます。
（「ファイル」→「WAVファイルに書き出す」）</source>
        <translation>No device to play sound was found.
Write the melody as a WAV file to hear it
(File → Export as WAV File).</translation>
    </message>
    <message>
        <source>再生できません</source>
        <translation>Cannot Play</translation>
    </message>
    <message>
        <source>作曲の記録を書けません：%1</source>
        <translation>Cannot write the work record in %1</translation>
    </message>
    <message>
        <source>作曲の記録（異常終了したときに復元するためのもの）をフォルダ「%1」に書けません（%2）。
作曲は続けられます。書けるようになれば記録は自動で再開します。それまでは、こまめに保存してください。</source>
        <translation>The record of your work (kept to restore it if ZEPA ends unexpectedly) cannot be written in the folder “%1” (%2).
You can go on composing. Recording resumes by itself once the folder can be written again; until then, save often.</translation>
    </message>
    <message>
        <source>作曲の記録</source>
        <translation>Work Record</translation>
    </message>
</context>
<context>
    <name>DialogPorts</name>
    <message>
        <source>RCXに送る</source>
        <translation>Send to RCX</translation>
    </message>
    <message>
        <source>・</source>
        <translation>• </translation>
    </message>
    <message>
        <source>
・</source>
        <translation>
• </translation>
    </message>
    <message>
        <source>ファイル「%1」を%2。
%3</source>
        <translation>The file &quot;%1&quot; %2.
%3</translation>
    </message>
    <message>
        <source>書き込みエラー</source>
        <translation>Write Error</translation>
    </message>
    <message>
        <source>楽譜の題名:</source>
        <translation>Title of the score:</translation>
    </message>
    <message>
        <source>書き出しを取りやめました</source>
        <translation>Export cancelled</translation>
    </message>
    <message>
        <source>書き出せません</source>
        <translation>Cannot Export</translation>
    </message>
    <message>
        <source>書き込めませんでした</source>
        <translation>could not be written</translation>
    </message>
    <message>
        <source>%1 に書き出しました</source>
        <translation>Exported to %1</translation>
    </message>
    <message>
        <source>「%1」に書き出しました。このブロックでは次のところが変わります。
%2</source>
        <translation>Exported &quot;%1&quot;. On this brick the following changes.
%2</translation>
    </message>
    <message>
        <source>RCX のプログラム %1 に送っています…</source>
        <translation>Sending to the RCX&apos;s program %1…</translation>
    </message>
    <message>
        <source>RCX のプログラム %1 に送っています… %2 / %3 ブロック（あと約 %4 秒）</source>
        <translation>Sending to the RCX&apos;s program %1… block %2 of %3 (about %4 s left)</translation>
    </message>
    <message>
        <source>プログラム %1 に送りました（電池 %2 V）</source>
        <translation>Sent to program %1 (battery %2 V)</translation>
    </message>
    <message>
        <source>送る音がありません</source>
        <translation>There are no notes to send</translation>
    </message>
    <message>
        <source>RCXに送れません</source>
        <translation>Cannot Send to the RCX</translation>
    </message>
    <message>
        <source>送るのを中止しました</source>
        <translation>Sending stopped</translation>
    </message>
    <message>
        <source>RCXに送れませんでした</source>
        <translation>Could not send to the RCX</translation>
    </message>
</context>
<context>
    <name>DocumentController</name>
    <message>
        <source>ZEPAで開けるファイル (*.mml *.nqc *.mid *.midi *.musicxml *.xml *.mxl);;メロディファイル (*.mml);;MusicXMLファイル (*.musicxml *.xml *.mxl);;すべてのファイル (*)</source>
        <translation>Files ZEPA opens (*.mml *.nqc *.mid *.midi *.musicxml *.xml *.mxl);;Melody files (*.mml);;MusicXML files (*.musicxml *.xml *.mxl);;All files (*)</translation>
    </message>
    <message>
        <source>作曲中の曲を保存しますか？</source>
        <translation>Save the melody you are composing?</translation>
    </message>
    <message>
        <source>開く</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>開けません</source>
        <translation>Cannot Open</translation>
    </message>
    <message>
        <source>MIDIファイルを取り込む</source>
        <translation>Import MIDI File</translation>
    </message>
    <message>
        <source>取り込めません</source>
        <translation>Cannot Import</translation>
    </message>
    <message>
        <source>作曲</source>
        <translation>Compose</translation>
    </message>
    <message>
        <source>新規作成</source>
        <translation>New</translation>
    </message>
    <message>
        <source>テンポ（６０～２４０）:</source>
        <translation>Tempo (60 to 240):</translation>
    </message>
    <message>
        <source>テンポは６０から２４０の間に設定してください。</source>
        <translation>Set the tempo between 60 and 240.</translation>
    </message>
    <message>
        <source>注意</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>新しい曲（テンポ %1）</source>
        <translation>New melody (tempo %1)</translation>
    </message>
    <message>
        <source>ZEPAは一度にひとつの音しか鳴らせません。
取り込むトラックとチャンネルを選んでください。</source>
        <translation>ZEPA plays one note at a time.
Choose the track and channel to import.</translation>
    </message>
    <message>
        <source>ファイル「%1」を%2。
%3</source>
        <translation>The file &quot;%1&quot; %2.
%3</translation>
    </message>
    <message>
        <source>ファイル「%1」を開けませんでした。
%2</source>
        <translation>The file &quot;%1&quot; could not be opened.
%2</translation>
    </message>
    <message>
        <source>読めませんでした</source>
        <translation>could not be read</translation>
    </message>
    <message>
        <source>%1 を開きました</source>
        <translation>Opened %1</translation>
    </message>
    <message>
        <source>読み込みのとき、次のところを変えました。</source>
        <translation>Reading the file changed the following.</translation>
    </message>
    <message>
        <source>ファイル「%1」がありません。
最近使ったファイルの一覧から外します。</source>
        <translation>The file &quot;%1&quot; does not exist.
It is taken off the list of recent files.</translation>
    </message>
    <message>
        <source>名前を付けて保存</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>保存できませんでした</source>
        <translation>could not be saved</translation>
    </message>
    <message>
        <source>%1 に保存しました</source>
        <translation>Saved to %1</translation>
    </message>
    <message>
        <source>取り込めませんでした</source>
        <translation>could not be imported</translation>
    </message>
    <message>
        <source>MIDIの取り込み</source>
        <translation>MIDI Import</translation>
    </message>
    <message>
        <source>%1 を取り込みました</source>
        <translation>Imported %1</translation>
    </message>
    <message>
        <source>取り込みのとき、次のところを変えました。</source>
        <translation>Importing changed the following.</translation>
    </message>
    <message>
        <source>書き出す音がありません</source>
        <translation>There are no notes to export</translation>
    </message>
    <message>
        <source>移調</source>
        <translation>Transpose</translation>
    </message>
    <message>
        <source>上げる半音の数（下げるときは－を付けます）:</source>
        <translation>Semitones up (with - for down):</translation>
    </message>
    <message>
        <source>半音の数は－５９から５９の整数で入力してください。</source>
        <translation>Enter a whole number of semitones from -59 to 59.</translation>
    </message>
    <message>
        <source>テンポの変更</source>
        <translation>Change Tempo</translation>
    </message>
    <message>
        <source>新しいテンポ（６０～２４０）:</source>
        <translation>New tempo (60 to 240):</translation>
    </message>
    <message>
        <source>メロディファイル (*.mml);;すべてのファイル (*)</source>
        <translation>Melody files (*.mml);;All files (*)</translation>
    </message>
    <message>
        <source>MIDIファイル (*.mid *.midi);;すべてのファイル (*)</source>
        <translation>MIDI files (*.mid *.midi);;All files (*)</translation>
    </message>
    <message>
        <source>楽譜にする音がありません</source>
        <translation>There are no notes to print</translation>
    </message>
    <message>
        <source>印刷</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>印刷しました</source>
        <translation>Printed</translation>
    </message>
    <message>
        <source>印刷できませんでした。プリンターの設定を確かめてください。</source>
        <translation>Printing failed. Check the printer&apos;s settings.</translation>
    </message>
    <message>
        <source>印刷できません</source>
        <translation>Cannot Print</translation>
    </message>
    <message numerus="yes">
        <source>いまの曲を、取り込んだ曲（%n 音）で置き換えますか？
置き換えたあとでも「元に戻す」で戻せます。</source>
        <translation>
            <numerusform>Replace the current melody with the imported one (%n note)?
Undo brings the current one back.</numerusform>
            <numerusform>Replace the current melody with the imported one (%n notes)?
Undo brings the current one back.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>EditMessages</name>
    <message>
        <source>これ以上は作成できなくなりますので、終了処理をしてください。</source>
        <translation>No more notes can be added: please finish the melody.</translation>
    </message>
    <message>
        <source>整数の限界</source>
        <translation>Score Full</translation>
    </message>
    <message>
        <source>音が入力されていません</source>
        <translation>No note has been chosen</translation>
    </message>
    <message>
        <source>注意</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>クリアする音がありません</source>
        <translation>There is no note to clear</translation>
    </message>
    <message>
        <source>クリア不可</source>
        <translation>Cannot Clear</translation>
    </message>
    <message>
        <source>前の音はありません</source>
        <translation>There is no note before</translation>
    </message>
    <message>
        <source>前音なし</source>
        <translation>No Note Before</translation>
    </message>
    <message>
        <source>楽譜がいっぱいのため、挿入できません。</source>
        <translation>The score is full, so nothing can be inserted.</translation>
    </message>
    <message>
        <source>移調できません</source>
        <translation>Cannot Transpose</translation>
    </message>
    <message numerus="yes">
        <source>移調すると、最低音から最高音の外に出る音が%n個あります（最初は%2番目の音）。</source>
        <translation>
            <numerusform>Transposing would take %n note outside the lowest to highest octaves (note %2).</numerusform>
            <numerusform>Transposing would take %n notes outside the lowest to highest octaves (the first is note %2).</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ExportCommand</name>
    <message>
        <source>曲をほかのブロック用のプログラムに書き出す（NXT の NXC、Pybricks のハブ、micro:bit、ev3dev の EV3）。変えたところがあれば知らせる。ZEPAが書き出せるほかの形にも、その名前で書き出す</source>
        <translation>write the melody as a program for another brick (NXC for the NXT, Pybricks hubs, the micro:bit, ev3dev on the EV3) and say what had to change; any other format ZEPA writes is written by its name too</translation>
    </message>
</context>
<context>
    <name>FinishComposing</name>
    <message>
        <source>書き込みエラー</source>
        <translation>Write Error</translation>
    </message>
    <message>
        <source>何も作成せずに終了します</source>
        <translation>Ending without writing anything</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Finish</translation>
    </message>
    <message>
        <source>書き込みに数分かかる場合がありますが、強制終了は絶対にしないでください。「OK」を押すと書き込みを始めます。</source>
        <translation>Writing may take a few minutes; never force the program to close meanwhile. Press &quot;OK&quot; to start writing.</translation>
    </message>
    <message>
        <source>
このプログラムは大きすぎて、RCXに全部は転送できません。</source>
        <translation>
This program is too large to be downloaded whole to the RCX.</translation>
    </message>
    <message>
        <source>注意</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>保存できるファイル名がありません。</source>
        <translation>There is no free file name to save to.</translation>
    </message>
    <message>
        <source>フォルダ「%1」がありません。
%2</source>
        <translation>The folder &quot;%1&quot; does not exist.
%2</translation>
    </message>
    <message>
        <source>ファイル「%1」を書き込めませんでした。
フォルダ：%2
%3</source>
        <translation>The file &quot;%1&quot; could not be written.
Folder: %2
%3</translation>
    </message>
    <message>
        <source>%1 に書き出しました（RCXに全部は送れない大きさです）</source>
        <translation>Written to %1 (too large to send to the RCX whole)</translation>
    </message>
    <message>
        <source>%1 に書き出しました</source>
        <translation>Written to %1</translation>
    </message>
</context>
<context>
    <name>GuideWindow</name>
    <message>
        <source>ZEPAの使い方</source>
        <translation>ZEPA User&apos;s Guide</translation>
    </message>
    <message>
        <source>使い方の本文</source>
        <translation>Guide text</translation>
    </message>
    <message>
        <source>検索(&amp;F):</source>
        <translation>&amp;Find:</translation>
    </message>
    <message>
        <source>検索</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>使い方の中で探す言葉。Enter か F3 で次、Shift+F3 で前を探します</source>
        <translation>Words to find in the guide; Enter or F3 finds the next place, Shift+F3 the one before</translation>
    </message>
    <message>
        <source>次を検索(&amp;N)</source>
        <translation>Find &amp;Next</translation>
    </message>
    <message>
        <source>前を検索(&amp;P)</source>
        <translation>Find &amp;Previous</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>「%1」は見つかりません</source>
        <translation>&quot;%1&quot; not found</translation>
    </message>
</context>
<context>
    <name>KeyListDialog</name>
    <message>
        <source>キー操作</source>
        <translation>Keyboard Shortcuts</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>音を入れるキー</source>
        <translation>Keys that enter notes</translation>
    </message>
    <message>
        <source>メニューのキー</source>
        <translation>Keys of the menus</translation>
    </message>
</context>
<context>
    <name>MelodyFromEvents</name>
    <message>
        <source>命令から %1 音になり、楽譜に入る %2 音を超えます</source>
        <translation>the statements make %1 notes, more than the %2 the score holds</translation>
    </message>
    <message>
        <source>60 から 240 のどのテンポでも、命令がZEPAの長さの音になりません（%1 番目の命令で始まる音がありません）</source>
        <translation>no tempo from 60 to 240 makes the statements notes of ZEPA&apos;s lengths (statement %1 begins none)</translation>
    </message>
</context>
<context>
    <name>MelodyPlayer</name>
    <message>
        <source>再生する音がありません</source>
        <translation>There are no notes to play</translation>
    </message>
</context>
<context>
    <name>MelodyReader</name>
    <message>
        <source>%1行目 %2文字目: %3</source>
        <translation>line %1, column %2: %3</translation>
    </message>
    <message>
        <source>%1行目: %2</source>
        <translation>line %1: %2</translation>
    </message>
    <message>
        <source>%1 MB あり、ZEPAの曲（%2 音まで）のファイルとしては大きすぎます（%3 MB まで）。</source>
        <translation>It is %1 MB, too large for a ZEPA melody (of up to %2 notes; up to %3 MB).</translation>
    </message>
</context>
<context>
    <name>MicrobitWriter</name>
    <message>
        <source>このプログラムは %1 KB あり、micro:bit のファイル用の場所（約 30 KB）に入りません。曲を短くしてください。</source>
        <translation>The program is %1 KB, more than the micro:bit&apos;s file system holds (about 30 KB): shorten the melody.</translation>
    </message>
    <message>
        <source>このプログラムは %1 バイトあり、uflash で micro:bit V1 に書き込める大きさ（%2 バイトまで）を超えます。V1 では曲を短くしてください。V2 のファイル用の場所（約 30 KB）には入ります。</source>
        <translation>The program is %1 bytes, more than uflash puts on a micro:bit V1 (up to %2 bytes): shorten the melody for a V1. It fits the V2&apos;s file space (about 30 KB).</translation>
    </message>
</context>
<context>
    <name>MidiCommand</name>
    <message>
        <source>曲をスタンダードMIDIファイルに書き出す。音は拍に合わせる（--as-played：ブロックが鳴らす 10 ミリ秒単位の時間のまま）</source>
        <translation>write the melody as a Standard MIDI File, its notes on the beat grid (--as-played: timed by the brick&apos;s 10 ms ticks)</translation>
    </message>
</context>
<context>
    <name>MidiImport</name>
    <message>
        <source>音と休符が、ZEPAの楽譜に入る %1 個を超えます。</source>
        <translation>The notes and rests are more than the %1 a ZEPA score holds.</translation>
    </message>
    <message>
        <source>選んだトラックとチャンネルに、聞こえる音がありません。</source>
        <translation>The track and channel chosen have no notes to hear.</translation>
    </message>
    <message>
        <source>テンポ %1 はZEPAの範囲（60～240）の外なので、%2 にしました。</source>
        <translation>tempo %1 is outside ZEPA&apos;s 60 to 240 and became %2.</translation>
    </message>
    <message>
        <source>途中のテンポの変化（%1 か所）は使わず、最初のテンポで通しました。</source>
        <translation>%1 tempo changes were left out; the first tempo holds throughout.</translation>
    </message>
    <message>
        <source>（%1）</source>
        <translation> (%1)</translation>
    </message>
    <message>
        <source>四分音符</source>
        <translation>quarter note</translation>
    </message>
    <message>
        <source>八分音符</source>
        <translation>eighth note</translation>
    </message>
    <message>
        <source>三連八分音符</source>
        <translation>eighth-note triplet</translation>
    </message>
    <message>
        <source>十六分音符</source>
        <translation>sixteenth note</translation>
    </message>
    <message>
        <source>三連十六分音符</source>
        <translation>sixteenth-note triplet</translation>
    </message>
    <message>
        <source>三十二分音符</source>
        <translation>thirty-second note</translation>
    </message>
    <message>
        <source>三連三十二分音符</source>
        <translation>thirty-second-note triplet</translation>
    </message>
    <message numerus="yes">
        <source>ZEPAの５オクターブの外にあった %n 音を、オクターブ単位で移しました。</source>
        <translation>
            <numerusform>%n note outside ZEPA&apos;s five octaves was moved by octaves into them.</numerusform>
            <numerusform>%n notes outside ZEPA&apos;s five octaves were moved by octaves into them.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>ほかの音と重なっていた %n 音を省き、いちばん高い音を残しました。</source>
        <translation>
            <numerusform>%n note under a higher one was left out; the highest sounds.</numerusform>
            <numerusform>%n notes under a higher one were left out; the highest sounds.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>拍にそろっていないファイルなので、%n 音の始まりを、いちばん近い%2の刻みに合わせました（ずれは最大でその半分です）。</source>
        <translation>
            <numerusform>The file is not on the beat, so %n note was started on the nearest %2 (moved by half of one at most).</numerusform>
            <numerusform>The file is not on the beat, so %n notes were started on the nearest %2 (moved by half of one at most).</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>全音符より長い %n 音を、タイでつないだ音にしました。</source>
        <translation>
            <numerusform>%n note longer than a whole note became tied notes.</numerusform>
            <numerusform>%n notes longer than a whole note became tied notes.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>トラック %1%2&#x3000;チャンネル %3：%n 音</source>
        <translation>
            <numerusform>Track %1%2, channel %3: %n note</numerusform>
            <numerusform>Track %1%2, channel %3: %n notes</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>MidiReader</name>
    <message>
        <source>ファイルが途中で切れています。</source>
        <translation>The file is cut short.</translation>
    </message>
    <message>
        <source>トラック %1 の %2 バイト目: %3</source>
        <translation>track %1, byte %2: %3</translation>
    </message>
    <message>
        <source>MIDIファイルではありません。</source>
        <translation>This is not a MIDI file.</translation>
    </message>
    <message>
        <source>時間がSMPTE（秒のフレーム）で書かれたMIDIファイルには対応していません。拍で書かれたファイルを使ってください。</source>
        <translation>MIDI files timed in SMPTE frames cannot be read: use a file timed in beats.</translation>
    </message>
    <message>
        <source>形式 %1 のMIDIファイルには対応していません（形式 0 と 1 が読めます）。</source>
        <translation>MIDI files of format %1 cannot be read (formats 0 and 1 can).</translation>
    </message>
    <message>
        <source>MIDIファイルの拍の分解能が 0 です。</source>
        <translation>The MIDI file&apos;s beat resolution is 0.</translation>
    </message>
    <message>
        <source>MIDIファイルに音がひとつもありません。</source>
        <translation>The MIDI file has no notes.</translation>
    </message>
    <message>
        <source>データが命令なしで始まっています。</source>
        <translation>data bytes come before any command.</translation>
    </message>
    <message>
        <source>トラックの中にあってはならない命令です。</source>
        <translation>a command that cannot stand inside a track.</translation>
    </message>
    <message>
        <source>データのバイトが 127 を超えています。</source>
        <translation>a data byte above 127.</translation>
    </message>
</context>
<context>
    <name>MmlCommand</name>
    <message>
        <source>ZEPAが書いたプログラムか、MIDIファイルのひとつの声部をメロディファイルにする（省くと、音のある最初のトラックとチャンネル）</source>
        <translation>make a melody file of a program ZEPA wrote or of one voice of a MIDI file (by default the first track and channel with notes)</translation>
    </message>
</context>
<context>
    <name>MmlDialect</name>
    <message>
        <source>サクラ</source>
        <translation>Sakura</translation>
    </message>
    <message>
        <source>MCK（ppmck）</source>
        <translation>MCK (ppmck)</translation>
    </message>
    <message>
        <source>ふつうのMML</source>
        <translation>plain MML</translation>
    </message>
</context>
<context>
    <name>MmlLexer</name>
    <message>
        <source>%1（%2 か所、最初は %3行目 %4文字目）</source>
        <translation>%1 (%2, first at line %3 column %4)</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>音色などの定義 @</source>
        <translation>instrument and other definitions @</translation>
    </message>
    <message>
        <source>音量 v</source>
        <translation>volume v</translation>
    </message>
    <message>
        <source>強さ u</source>
        <translation>velocity u</translation>
    </message>
    <message>
        <source>左右の位置 p</source>
        <translation>pan p</translation>
    </message>
    <message>
        <source>音色 @</source>
        <translation>instrument @</translation>
    </message>
    <message>
        <source>音量 ( )</source>
        <translation>volume ( )</translation>
    </message>
    <message>
        <source>命令のない数</source>
        <translation>numbers without a command</translation>
    </message>
    <message>
        <source>「%1」</source>
        <translation>“%1”</translation>
    </message>
</context>
<context>
    <name>MmlReader</name>
    <message>
        <source>繰り返しが多すぎます</source>
        <translation>too many repeats</translation>
    </message>
    <message>
        <source>音は %1 個までです</source>
        <translation>at most %1 notes</translation>
    </message>
    <message>
        <source>テンポ %1 はZEPAの範囲（60～240）の外なので、%2 にしました。</source>
        <translation>tempo %1 is outside ZEPA&apos;s 60 to 240 and became %2.</translation>
    </message>
    <message>
        <source>途中のテンポの変化（%1 か所）は使わず、最初のテンポで通しました。</source>
        <translation>%1 tempo changes were left out; the first tempo holds throughout.</translation>
    </message>
    <message>
        <source>%1行目 %2文字目: %3</source>
        <translation>line %1, column %2: %3</translation>
    </message>
    <message>
        <source>対応する始まりのない繰り返しの終わり</source>
        <translation>loop ends without a start</translation>
    </message>
    <message>
        <source>前に音のない ^</source>
        <translation>^ with no note before it</translation>
    </message>
    <message>
        <source>前に音のない &amp;</source>
        <translation>&amp; with no note before it</translation>
    </message>
    <message>
        <source>%1 か所、最初は %2行目 %3文字目</source>
        <translation>%1, first at line %2 column %3</translation>
    </message>
    <message>
        <source>「%1」は使えません。MMLとして読めません（どの書き方にもない命令が、音より多くあります）</source>
        <translation>&quot;%1&quot; cannot be used; this is no MML (more commands of no dialect than notes)</translation>
    </message>
    <message>
        <source>%1の書き方で書かれた曲として読みました。</source>
        <translation>Read as a song written in %1.</translation>
    </message>
    <message>
        <source>オクターブは、ファイルの指定どおり「%1」で上がるものとして読みました。</source>
        <translation>Read &quot;%1&quot; as raising the octave, as the file declares.</translation>
    </message>
    <message>
        <source>オクターブは、多くのMMLと同じく「%1」で上がるものとして読みました（ファイルに指定がありません）。</source>
        <translation>Read &quot;%1&quot; as raising the octave, as most MML does (the file does not say).</translation>
    </message>
    <message>
        <source>オクターブは、この書き方の決まりどおり「%1」で上がるものとして読みました。</source>
        <translation>Read &quot;%1&quot; as raising the octave, as this dialect has it.</translation>
    </message>
    <message>
        <source>ZEPAでは使わない次のものを省きました：%1。</source>
        <translation>Left out what ZEPA does not use: %1.</translation>
    </message>
    <message>
        <source>ZEPAにひとつの音符ではない長さ（%1）を、ZEPAの長さの音をタイでつないで表しました。</source>
        <translation>Lengths that are no single note in ZEPA (%1) became notes of ZEPA&apos;s lengths tied together.</translation>
    </message>
    <message>
        <source>ZEPAの長さで表せない長さ（%1）を、いちばん近い長さにしました。ずれは次の音で取り戻し、曲の流れは変わりません。</source>
        <translation>Lengths ZEPA cannot make (%1) became the nearest it can; the next notes make up the difference, so the melody keeps its time.</translation>
    </message>
    <message>
        <source>閉じていない繰り返し（%1）は、トラックの終わりまでを繰り返しました。</source>
        <translation>Loops never closed (%1) repeat up to the end of their track.</translation>
    </message>
    <message numerus="yes">
        <source>ZEPAは一度にひとつの音しか鳴らせないので、最初のトラックのほかの %n トラックを省きました。</source>
        <translation>
            <numerusform>ZEPA plays one voice: the %n track after the first was left out.</numerusform>
            <numerusform>ZEPA plays one voice: the %n tracks after the first were left out.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>和音の下の %n 音を省き、いちばん高い音を残しました。</source>
        <translation>
            <numerusform>Left out the %n lower note of a chord; the highest sounds.</numerusform>
            <numerusform>Left out the %n lower notes of chords; the highest sounds.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>ZEPAの５オクターブの外にあった %n 音を、オクターブ単位で移しました。</source>
        <translation>
            <numerusform>%n note outside ZEPA&apos;s five octaves was moved by octaves into them.</numerusform>
            <numerusform>%n notes outside ZEPA&apos;s five octaves were moved by octaves into them.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>q で決めた音の長さ（%n 音）を、ZEPAの音間（普通・スタッカート・スラーまたはタイ）のいちばん近いものにしました。</source>
        <translation>
            <numerusform>the gate q of %n note became the nearest of ZEPA&apos;s normal, staccato and slur.</numerusform>
            <numerusform>the gate q of %n notes became the nearest of ZEPA&apos;s normal, staccato and slur.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>MusicXmlPart</name>
    <message>
        <source>MusicXMLとして読めません（XMLではありません）。</source>
        <translation>this is not XML, so not MusicXML</translation>
    </message>
    <message>
        <source>小節ごとに書かれたMusicXML（score-timewise）は読めません。楽譜ソフトでふつうのMusicXML（score-partwise）に書き出してください。</source>
        <translation>a MusicXML score-timewise cannot be read: export it as score-partwise</translation>
    </message>
    <message>
        <source>MusicXMLの楽譜ではありません。</source>
        <translation>this XML is not a MusicXML score</translation>
    </message>
    <message>
        <source>MusicXMLの%1行目が読めません（%2）。</source>
        <translation>line %1 of the MusicXML cannot be read (%2)</translation>
    </message>
    <message>
        <source>MusicXMLの最初のパートに音符がありません。</source>
        <translation>the first part of the MusicXML has no notes</translation>
    </message>
    <message>
        <source>MusicXMLの%1行目：%2</source>
        <translation>line %1 of the MusicXML: %2</translation>
    </message>
    <message>
        <source>数が読めません。</source>
        <translation>not a number</translation>
    </message>
    <message>
        <source>長さが範囲外です。</source>
        <translation>a duration out of range</translation>
    </message>
    <message>
        <source>divisions が範囲外です。</source>
        <translation>divisions out of range</translation>
    </message>
    <message>
        <source>音の名前（step）が読めません。</source>
        <translation>a pitch&apos;s step cannot be read</translation>
    </message>
</context>
<context>
    <name>MusicXmlReader</name>
    <message>
        <source>UTF-8 と書かれていますが UTF-8 ではないので、西欧の文字コード（Windows-1252）として読みました。</source>
        <translation>The file says UTF-8 but is not, so it was read as Western text (Windows-1252).</translation>
    </message>
    <message>
        <source>長さの単位（divisions）が書かれていないので、音符の種類から決めました。</source>
        <translation>The score gives no unit of length (divisions), so it was taken from the notes&apos; types.</translation>
    </message>
    <message numerus="yes">
        <source>ほかの%nパートは読まず、最初のパートだけを読みました。</source>
        <translation>
            <numerusform>only the first part was read, not the %n other part.</numerusform>
            <numerusform>only the first part was read, not the %n other parts.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>装飾音%n個は読みませんでした。</source>
        <translation>
            <numerusform>%n grace note was left out.</numerusform>
            <numerusform>%n grace notes were left out.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>打楽器の音%n個は読みませんでした。</source>
        <translation>
            <numerusform>%n unpitched note was left out.</numerusform>
            <numerusform>%n unpitched notes were left out.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>強弱記号%n個は読みませんでした（音の大きさはいつも同じです）。</source>
        <translation>
            <numerusform>%n dynamic was left out (every note sounds alike).</numerusform>
            <numerusform>%n dynamics were left out (every note sounds alike).</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>旋律（上の段の最初の声部）のほかの声部や段の音%n個は読みませんでした。</source>
        <translation>
            <numerusform>Left out %n note of the voices and staves below the melody (the first voice of the upper staff).</numerusform>
            <numerusform>Left out %n notes of the voices and staves below the melody (the first voice of the upper staff).</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>和音の下の音%n個は省き、いちばん高い音を残しました。</source>
        <translation>
            <numerusform>Left out the %n lower note of a chord; the highest sounds.</numerusform>
            <numerusform>Left out the %n lower notes of chords; the highest sounds.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>移調楽器の楽譜の%n音を、書かれた高さではなく実際に鳴る高さで読みました。</source>
        <translation>
            <numerusform>Read %n note written for a transposing instrument at the pitch it sounds, not as written.</numerusform>
            <numerusform>Read %n notes written for a transposing instrument at the pitch they sound, not as written.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>半音の整数倍でない変化記号（四分音など）の%n音を、いちばん近い半音にしました。</source>
        <translation>
            <numerusform>%n note with an alteration of no whole semitone (a quarter tone or the like) became the nearest semitone.</numerusform>
            <numerusform>%n notes with alterations of no whole semitone (quarter tones and the like) became the nearest semitone.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>繰り返し記号%n個は展開せず、書かれたとおり一度だけ読みました。</source>
        <translation>
            <numerusform>%n repeat was not expanded: the music was read once, as written.</numerusform>
            <numerusform>%n repeats were not expanded: the music was read once, as written.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>MxlArchive</name>
    <message>
        <source>圧縮されたMusicXML（.mxl）が壊れているか、途中で切れています。</source>
        <translation>the compressed MusicXML (.mxl) is damaged or cut short</translation>
    </message>
    <message>
        <source>圧縮されたMusicXML（.mxl）を開く部品を読み込めません（%1）。ZEPAを入れ直してください。</source>
        <translation>the part of ZEPA that opens compressed MusicXML (.mxl) could not be loaded (%1); install ZEPA again</translation>
    </message>
</context>
<context>
    <name>NotationCommand</name>
    <message>
        <source>。題名は --title がなければファイルが曲に付けた題名、それもなければファイルの名前、拍子は --meter がなければファイルのとおり</source>
        <translation>, titled as --title says, else with the title the file gives its melody, else with the file&apos;s name, in the file&apos;s own meter unless --meter gives one</translation>
    </message>
    <message>
        <source>曲を楽譜ソフト用のMusicXMLに書き出す</source>
        <translation>write the melody as MusicXML for notation programs</translation>
    </message>
    <message>
        <source>曲をLilyPondの楽譜に書き出す</source>
        <translation>write the melody as a LilyPond score</translation>
    </message>
</context>
<context>
    <name>NoteChanges</name>
    <message>
        <source>選んだ音を変える(&amp;G)</source>
        <translation>Chan&amp;ge the Chosen Notes</translation>
    </message>
    <message>
        <source>半音上げる(&amp;U)</source>
        <translation>Semitone &amp;Up</translation>
    </message>
    <message>
        <source>半音下げる(&amp;D)</source>
        <translation>Semitone &amp;Down</translation>
    </message>
    <message>
        <source>オクターブ上げる(&amp;O)</source>
        <translation>&amp;Octave Up</translation>
    </message>
    <message>
        <source>オクターブ下げる(&amp;W)</source>
        <translation>Octave Do&amp;wn</translation>
    </message>
    <message>
        <source>音の高さ(&amp;P)</source>
        <translation>&amp;Pitch</translation>
    </message>
    <message>
        <source>休符にする(&amp;R)</source>
        <translation>Make a &amp;Rest</translation>
    </message>
    <message>
        <source>長さ(&amp;L)</source>
        <translation>&amp;Length</translation>
    </message>
    <message>
        <source>音間(&amp;A)</source>
        <translation>&amp;Articulation</translation>
    </message>
    <message numerus="yes">
        <source>%n 音を「%1」にしました</source>
        <translation>
            <numerusform>Pitch of %n note: %1</numerusform>
            <numerusform>Pitch of %n notes: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 音の長さを「%1」にしました</source>
        <translation>
            <numerusform>Length of %n note: %1</numerusform>
            <numerusform>Length of %n notes: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 音の音間を「%1」にしました</source>
        <translation>
            <numerusform>Articulation of %n note: %1</numerusform>
            <numerusform>Articulation of %n notes: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 音を休符にしました</source>
        <translation>
            <numerusform>Made %n note a rest</numerusform>
            <numerusform>Made %n notes rests</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 音を1オクターブ上げました</source>
        <translation>
            <numerusform>Raised %n note an octave</numerusform>
            <numerusform>Raised %n notes an octave</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 音を1オクターブ下げました</source>
        <translation>
            <numerusform>Lowered %n note an octave</numerusform>
            <numerusform>Lowered %n notes an octave</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 音を半音上げました</source>
        <translation>
            <numerusform>Raised %n note a semitone</numerusform>
            <numerusform>Raised %n notes a semitone</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 音を半音下げました</source>
        <translation>
            <numerusform>Lowered %n note a semitone</numerusform>
            <numerusform>Lowered %n notes a semitone</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>NoteKeys</name>
    <message>
        <source>休符</source>
        <translation>Rest</translation>
    </message>
    <message>
        <source>入力確定</source>
        <translation>Enter note</translation>
    </message>
    <message>
        <source>一つ前の音をクリアする</source>
        <translation>Clear the last note</translation>
    </message>
    <message>
        <source>音の高さを一つ上げる</source>
        <translation>Octave up</translation>
    </message>
    <message>
        <source>音の高さを一つ下げる</source>
        <translation>Octave down</translation>
    </message>
    <message>
        <source>４／４</source>
        <translation>4/4</translation>
    </message>
    <message>
        <source>２／４</source>
        <translation>2/4</translation>
    </message>
    <message>
        <source>１／４</source>
        <translation>1/4</translation>
    </message>
    <message>
        <source>１／８</source>
        <translation>1/8</translation>
    </message>
    <message>
        <source>１／１６</source>
        <translation>1/16</translation>
    </message>
    <message>
        <source>１／３２</source>
        <translation>1/32</translation>
    </message>
    <message>
        <source>３／４</source>
        <translation>3/4</translation>
    </message>
    <message>
        <source>３／８</source>
        <translation>3/8</translation>
    </message>
    <message>
        <source>３／１６</source>
        <translation>3/16</translation>
    </message>
    <message>
        <source>３／３２</source>
        <translation>3/32</translation>
    </message>
    <message>
        <source>三連四分音符</source>
        <translation>Quarter triplet</translation>
    </message>
    <message>
        <source>三連八分音符</source>
        <translation>Eighth triplet</translation>
    </message>
    <message>
        <source>三連十六分音符</source>
        <translation>16th triplet</translation>
    </message>
    <message>
        <source>普通の長さ</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>スタッカート</source>
        <translation>Staccato</translation>
    </message>
    <message>
        <source>スラーまたはタイ</source>
        <translation>Slur or tie</translation>
    </message>
    <message>
        <source>選んだ音を1オクターブ上げる（楽譜の画面）</source>
        <translation>Chosen notes an octave up (score window)</translation>
    </message>
    <message>
        <source>選んだ音を1オクターブ下げる（楽譜の画面）</source>
        <translation>Chosen notes an octave down (score window)</translation>
    </message>
</context>
<context>
    <name>NoteLength</name>
    <message>
        <source>－全音符</source>
        <translation>– whole note</translation>
    </message>
    <message>
        <source>－二分音符</source>
        <translation>– half note</translation>
    </message>
    <message>
        <source>－四分音符</source>
        <translation>– quarter note</translation>
    </message>
    <message>
        <source>－八分音符</source>
        <translation>– eighth note</translation>
    </message>
    <message>
        <source>－十六分音符</source>
        <translation>– 16th note</translation>
    </message>
    <message>
        <source>－三十二分音符</source>
        <translation>– 32nd note</translation>
    </message>
    <message>
        <source>－二分＋四分音符</source>
        <translation>– dotted half note</translation>
    </message>
    <message>
        <source>－四分＋八分音符</source>
        <translation>– dotted quarter note</translation>
    </message>
    <message>
        <source>－八分音符＋十六分音符</source>
        <translation>– dotted eighth note</translation>
    </message>
    <message>
        <source>－十六分音符＋三十二分音符</source>
        <translation>– dotted 16th note</translation>
    </message>
    <message>
        <source>－三連四分音符</source>
        <translation>– quarter triplet</translation>
    </message>
    <message>
        <source>－三連八分音符</source>
        <translation>– eighth triplet</translation>
    </message>
    <message>
        <source>－三連十六分音符</source>
        <translation>– 16th triplet</translation>
    </message>
</context>
<context>
    <name>NoteRecord</name>
    <message>
        <source>%1%2%3%4</source>
        <comment>pitch, (octave), -articulation, -length</comment>
        <translation>%1 %2 %3 %4</translation>
    </message>
</context>
<context>
    <name>NoteTables</name>
    <message>
        <source>ド</source>
        <translation>C</translation>
    </message>
    <message>
        <source>ド＃</source>
        <translation>C#</translation>
    </message>
    <message>
        <source>レ</source>
        <translation>D</translation>
    </message>
    <message>
        <source>レ＃</source>
        <translation>D#</translation>
    </message>
    <message>
        <source>ミ</source>
        <translation>E</translation>
    </message>
    <message>
        <source>ファ</source>
        <translation>F</translation>
    </message>
    <message>
        <source>ファ＃</source>
        <translation>F#</translation>
    </message>
    <message>
        <source>ソ</source>
        <translation>G</translation>
    </message>
    <message>
        <source>ソ＃</source>
        <translation>G#</translation>
    </message>
    <message>
        <source>ラ</source>
        <translation>A</translation>
    </message>
    <message>
        <source>ラ＃</source>
        <translation>A#</translation>
    </message>
    <message>
        <source>シ</source>
        <translation>B</translation>
    </message>
    <message>
        <source>（最低音）</source>
        <translation>(lowest)</translation>
    </message>
    <message>
        <source>（低音）</source>
        <translation>(low)</translation>
    </message>
    <message>
        <source>（中音）</source>
        <translation>(middle)</translation>
    </message>
    <message>
        <source>（高音）</source>
        <translation>(high)</translation>
    </message>
    <message>
        <source>（最高音）</source>
        <translation>(highest)</translation>
    </message>
    <message>
        <source>－音間普通</source>
        <translation>– normal</translation>
    </message>
    <message>
        <source>－スタッカート</source>
        <translation>– staccato</translation>
    </message>
    <message>
        <source>－スラーorタイ</source>
        <translation>– slur or tie</translation>
    </message>
    <message>
        <source>音未選択</source>
        <translation>no pitch chosen</translation>
    </message>
    <message>
        <source>休</source>
        <translation>rest</translation>
    </message>
</context>
<context>
    <name>NqcCommand</name>
    <message>
        <source>NQCプログラムを書き出す（出力を省くと、ここに空いている musicN.nqc として）</source>
        <translation>write the NQC program, by default as the next free musicN.nqc here</translation>
    </message>
</context>
<context>
    <name>NqcReader</name>
    <message>
        <source>ZEPAが書いたプログラムではありません。ZEPAで開くのは、メロディファイル（.mml）か、ZEPAが書いたままの music0.nqc などです</source>
        <translation>this is not a program ZEPA wrote: open the melody file (.mml) instead, or a music0.nqc as ZEPA wrote it</translation>
    </message>
    <message>
        <source>ZEPAが書いたプログラムが書き換えられています（周波数の表の %1 がありません）。メロディファイル（.mml）を開いてください</source>
        <translation>this program ZEPA wrote has been changed (the frequency table line %1 is missing): open the melody file (.mml) instead</translation>
    </message>
    <message>
        <source>%1 があるはずのところです。ZEPAが書いたままのプログラムしか開けません</source>
        <translation>expected %1: only a program as ZEPA wrote it can be opened</translation>
    </message>
    <message>
        <source>PlayTone(TONE,TICKS)（TONE は表の音、TICKS は 0 から 255）があるはずのところに %1 があります</source>
        <translation>expected PlayTone(TONE,TICKS) with a tone of the table and 0 to 255 ticks, found %1</translation>
    </message>
    <message>
        <source>Wait(TICKS)（TICKS は 0 から 255）があるはずのところに %1 があります</source>
        <translation>expected Wait(TICKS) with 0 to 255 ticks, found %1</translation>
    </message>
    <message>
        <source>PlayTone か Wait の行か「}」があるはずのところに %1 があります</source>
        <translation>expected a PlayTone or Wait line, or &quot;}&quot;, found %1</translation>
    </message>
    <message>
        <source>task music() を閉じる「}」がありません</source>
        <translation>expected &quot;}&quot; closing task music()</translation>
    </message>
    <message>
        <source>プログラムの終わりのあとに %1 があります</source>
        <translation>expected the end of the program, found %1</translation>
    </message>
</context>
<context>
    <name>NxcWriter</name>
    <message>
        <source>このプログラムは NXT の上で約 %1 KB になり、NXT のプログラム用の場所（約 128 KB）に入りません。曲を短くしてください。</source>
        <translation>The program takes about %1 KB on the NXT, more than its flash holds for programs (about 128 KB): shorten the melody.</translation>
    </message>
</context>
<context>
    <name>Outputs</name>
    <message>
        <source>NQCプログラムを書き出す(&amp;C)</source>
        <translation>Write the NQ&amp;C Program</translation>
    </message>
    <message>
        <source>NQCプログラムを書き出す</source>
        <translation>Write the NQC Program</translation>
    </message>
    <message>
        <source>NQCプログラム (*.nqc)</source>
        <translation>NQC programs (*.nqc)</translation>
    </message>
    <message>
        <source>WAVファイルに書き出す(&amp;W)...</source>
        <translation>Export as &amp;WAV File...</translation>
    </message>
    <message>
        <source>WAVファイルに書き出す</source>
        <translation>Export as WAV File</translation>
    </message>
    <message>
        <source>WAVファイル (*.wav)</source>
        <translation>WAV files (*.wav)</translation>
    </message>
    <message>
        <source>MIDIファイルに書き出す(&amp;M)...</source>
        <translation>Export as &amp;MIDI File...</translation>
    </message>
    <message>
        <source>MIDIファイルに書き出す</source>
        <translation>Export as MIDI File</translation>
    </message>
    <message>
        <source>MIDIファイル（拍に合わせる） (*.mid)</source>
        <translation>MIDI files, on the beat (*.mid)</translation>
    </message>
    <message>
        <source>NXT（NXC）(&amp;X)...</source>
        <translation>&amp;NXT (NXC)...</translation>
    </message>
    <message>
        <source>ほかのブロック用に書き出す</source>
        <translation>Export for Other Bricks</translation>
    </message>
    <message>
        <source>NXCプログラム (*.nxc)</source>
        <translation>NXC programs (*.nxc)</translation>
    </message>
    <message>
        <source>Pybricks（SPIKE・EV3・Powered Up）(&amp;P)...</source>
        <translation>&amp;Pybricks (SPIKE, EV3, Powered Up)...</translation>
    </message>
    <message>
        <source>Pythonプログラム (*.py)</source>
        <translation>Python programs (*.py)</translation>
    </message>
    <message>
        <source>micro:bit（MicroPython）(&amp;M)...</source>
        <translation>&amp;micro:bit (MicroPython)...</translation>
    </message>
    <message>
        <source>EV3（ev3dev の Python）(&amp;E)...</source>
        <translation>&amp;EV3 (Python on ev3dev)...</translation>
    </message>
    <message>
        <source>MIDIファイル（ブロックが鳴らす時間のまま） (*.mid)</source>
        <translation>MIDI files, timed as the brick plays (*.mid)</translation>
    </message>
    <message>
        <source>MusicXMLに書き出す(&amp;U)...</source>
        <translation>Export as M&amp;usicXML...</translation>
    </message>
    <message>
        <source>MusicXMLに書き出す</source>
        <translation>Export as MusicXML</translation>
    </message>
    <message>
        <source>MusicXMLファイル (*.musicxml)</source>
        <translation>MusicXML files (*.musicxml)</translation>
    </message>
    <message>
        <source>LilyPondに書き出す(&amp;L)...</source>
        <translation>Export as &amp;LilyPond...</translation>
    </message>
    <message>
        <source>LilyPondに書き出す</source>
        <translation>Export as LilyPond</translation>
    </message>
    <message>
        <source>LilyPondファイル (*.ly)</source>
        <translation>LilyPond files (*.ly)</translation>
    </message>
    <message>
        <source>%1/4拍子に合わない長さがあるため、小節線を見せずに書きました。</source>
        <translation>some lengths do not fit %1/4, so the bars are not shown.</translation>
    </message>
    <message>
        <source>%1のプログラムに書き出します。変わるところは書き出したあとで知らせます。</source>
        <translation>Writes the melody as a program for the %1; what has to change is said afterwards.</translation>
    </message>
    <message>
        <source>曲をスタンダードMIDIファイルに書き出します。</source>
        <translation>Writes the melody as a Standard MIDI File.</translation>
    </message>
    <message>
        <source>楽譜ソフトで開けるMusicXMLに、五線譜のとおりに書き出します。</source>
        <translation>Writes the melody as MusicXML for notation programs, as the staff shows it.</translation>
    </message>
    <message>
        <source>LilyPondの楽譜に、五線譜のとおりに書き出します。</source>
        <translation>Writes the melody as a LilyPond score, as the staff shows it.</translation>
    </message>
    <message>
        <source>終わらずに、NQCプログラムを次に空いている musicN.nqc として書き出します。</source>
        <translation>Writes the NQC program as the next free musicN.nqc, without ending.</translation>
    </message>
    <message>
        <source>これには曲の音が要ります</source>
        <translation>this needs the notes of the melody</translation>
    </message>
    <message>
        <source>楽譜をPDFに書き出す(&amp;D)...</source>
        <translation>Export Score as P&amp;DF...</translation>
    </message>
    <message>
        <source>楽譜をPDFファイル（A4）に書き出します（先に題名を聞きます）。</source>
        <translation>Writes the sheet music as a PDF file on A4 (asks for its title first).</translation>
    </message>
    <message>
        <source>PDFに書き出す</source>
        <translation>Export as PDF</translation>
    </message>
    <message>
        <source>PDFファイル (*.pdf)</source>
        <translation>PDF files (*.pdf)</translation>
    </message>
    <message>
        <source>楽譜をPDFにしています…</source>
        <translation>Making the score into a PDF…</translation>
    </message>
    <message>
        <source>楽譜をPDFにしています…（%1 / %2 ページ）</source>
        <translation>Making the score into a PDF… (page %1 of %2)</translation>
    </message>
    <message>
        <source>ブロックが鳴らすとおりの音をWAVファイルに書き出します。</source>
        <translation>Writes the sound as the brick plays it to a WAV file.</translation>
    </message>
    <message>
        <source>WAVファイルに書き出しています…</source>
        <translation>Writing the WAV file…</translation>
    </message>
    <message>
        <source>曲が長すぎるため、WAVファイルに書き出せません。
WAVファイルに入るのは約13時間半までです（この曲は%1）。</source>
        <translation>The melody is too long for a WAV file.
A WAV file holds about 13.5 hours (this melody lasts %1).</translation>
    </message>
</context>
<context>
    <name>PdfCommand</name>
    <message>
        <source>曲を楽譜にしてPDFファイル（A4）に書き出す。題名（--title がなければファイルが曲に付けた題名、それもなければファイルの名前）、テンポ、五線譜、ページ番号。拍子は --meter がなければファイルのとおり</source>
        <translation>print the melody as sheet music into a PDF file (A4): the title (--title, else the one the file gives its melody, else the file&apos;s name), the tempo, the staff, page numbers; in the file&apos;s own meter unless --meter gives one</translation>
    </message>
</context>
<context>
    <name>PlayCommand</name>
    <message>
        <source>曲を再生し、鳴り終わると終わる（Ctrl+C で止まる）</source>
        <translation>play the melody and end when it has been heard (Ctrl+C stops it)</translation>
    </message>
</context>
<context>
    <name>PlaybackStatus</name>
    <message numerus="yes">
        <source>再生中&#x3000;%1 / %n 音&#x3000;%3 / %4</source>
        <translation>
            <numerusform>Playing  %1 / %n note  %3 / %4</numerusform>
            <numerusform>Playing  %1 / %n notes  %3 / %4</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ProgramInfo</name>
    <message>
        <source>NQC用簡易音楽作成ソフト「ZEPA」</source>
        <translation>ZEPA, simple music for NQC</translation>
    </message>
</context>
<context>
    <name>QtMessageService</name>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>はい</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>いいえ</source>
        <translation>No</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>保存しない</source>
        <translation>Don&apos;t Save</translation>
    </message>
</context>
<context>
    <name>QtUserDialogs</name>
    <message>
        <source>中止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>印刷プレビュー - %1</source>
        <translation>Print Preview - %1</translation>
    </message>
</context>
<context>
    <name>RcxSender</name>
    <message>
        <source>「%1」はポートではありません。USB タワーなら usb、シリアルポートなら /dev/ttyS0 や /dev/ttyUSB0 のように / で始まる場所を書いてください。</source>
        <translation>&quot;%1&quot; is not a port: write usb for the USB tower, or a serial port&apos;s path beginning with /, such as /dev/ttyS0 or /dev/ttyUSB0.</translation>
    </message>
    <message>
        <source>RCX のプログラム %1 に送りました（電池 %2 V）。</source>
        <translation>Sent to the RCX&apos;s program %1 (battery %2 V).</translation>
    </message>
    <message>
        <source>
RCX の電池が少なくなっています。電池を替えてください。</source>
        <translation>
The RCX&apos;s batteries are low: change them.</translation>
    </message>
    <message>
        <source>送る音がありません。</source>
        <translation>There are no notes to send.</translation>
    </message>
    <message>
        <source>このプログラムは %1 バイトあり、RCX のプログラム用のメモリ（%2 バイト）に入りません。曲を短くしてください。RCX には何も送っていません。</source>
        <translation>The program is %1 bytes, more than the RCX&apos;s program memory (%2 bytes) holds: shorten the melody. Nothing was sent.</translation>
    </message>
    <message>
        <source>RCX に送るための nqc が見つかりません。Debian では「sudo apt install nqc」で入ります。</source>
        <translation>nqc, which sends programs to the RCX, was not found: on Debian, &quot;sudo apt install nqc&quot; installs it.</translation>
    </message>
    <message>
        <source>プログラムを RCX 用にできませんでした。RCX には何も送っていません。
</source>
        <translation>The program could not be compiled for the RCX; nothing was sent.
</translation>
    </message>
    <message>
        <source>USB タワーが見つからないか、使う権限がありません。タワーをつなぎ、Linux の legousbtower ドライバが作る /dev/usb/legousbtower0 があって読み書きできるか、確かめてください。</source>
        <translation>The USB tower is not there, or may not be used: plug it in and check that the Linux driver legousbtower made /dev/usb/legousbtower0 and that you may read and write it.</translation>
    </message>
    <message>
        <source>ポート「%1」を開けませんでした。ポートの名前と、使う権限（dialout グループ：sudo adduser $USER dialout のあとでログインし直します）を確かめてください。</source>
        <translation>The port &quot;%1&quot; could not be opened: check its name, and that you may use it (the dialout group: sudo adduser $USER dialout, then log in again).</translation>
    </message>
    <message>
        <source>赤外線タワー（%1）が答えません。タワーの電池と、つないだポートを確かめてください。</source>
        <translation>The infrared tower (%1) does not answer: check its battery and the port it is plugged into.</translation>
    </message>
    <message>
        <source>RCX が答えません（タワー：%1）。RCX の電源を入れ、タワーに向けて近くに置いてください。</source>
        <translation>The RCX does not answer (tower: %1): switch it on and put it near the tower, facing it.</translation>
    </message>
    <message>
        <source>RCX にファームウェアが入っていません（タワー：%1）。ファームウェアは RCX の基本のソフトで、電池を外すと消えます。LEGO のファームウェア（firm0328.lgo など）を「nqc -firmware firm0328.lgo」で入れてから、もう一度送ってください。ZEPA にはファームウェアは入っていません。</source>
        <translation>The RCX has no firmware (tower: %1). The firmware is the RCX&apos;s own software and goes when its batteries are taken out: load LEGO&apos;s firmware (such as firm0328.lgo) with &quot;nqc -firmware firm0328.lgo&quot;, then send again. ZEPA does not come with the firmware.</translation>
    </message>
    <message>
        <source>RCX のメモリが足りません。ほかのプログラムを消す（nqc -clear ですべて消えます）か、曲を短くしてください。</source>
        <translation>The RCX has not enough memory: delete other programs (nqc -clear deletes them all) or shorten the melody.</translation>
    </message>
    <message>
        <source>送るのを中止しました。</source>
        <translation>Sending was stopped.</translation>
    </message>
    <message>
        <source>RCX に送れませんでした。
</source>
        <translation>Could not send to the RCX.
</translation>
    </message>
    <message>
        <source>
RCX のプログラム %1 は、曲を鳴らすタスクのないまま残っています。もう一度送ると直ります。</source>
        <translation>
The RCX&apos;s program %1 is left without its music task; sending again mends it.</translation>
    </message>
</context>
<context>
    <name>RenderCommand</name>
    <message>
        <source>曲をWAVファイル（44100 Hz、モノラル、16ビット）に書き出す</source>
        <translation>write the melody as a WAV file (44100 Hz, mono, 16-bit)</translation>
    </message>
</context>
<context>
    <name>ScoreCommands</name>
    <message>
        <source>入力確定</source>
        <translation>Enter Note</translation>
    </message>
    <message>
        <source>クリア</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>上へ</source>
        <translation>Move Up</translation>
    </message>
    <message>
        <source>下へ</source>
        <translation>Move Down</translation>
    </message>
    <message>
        <source>テンポの変更</source>
        <translation>Change Tempo</translation>
    </message>
    <message>
        <source>拍子の変更</source>
        <translation>Meter Change</translation>
    </message>
</context>
<context>
    <name>ScoreDocument</name>
    <message>
        <source>置き換え</source>
        <translation>Replace</translation>
    </message>
    <message>
        <source>前に挿入</source>
        <translation>Insert Before</translation>
    </message>
</context>
<context>
    <name>ScoreDocumentChanges</name>
    <message>
        <source>移調</source>
        <translation>Transpose</translation>
    </message>
    <message>
        <source>音の高さの変更</source>
        <translation>Pitch Change</translation>
    </message>
    <message>
        <source>半音上げる</source>
        <translation>Semitone Up</translation>
    </message>
    <message>
        <source>半音下げる</source>
        <translation>Semitone Down</translation>
    </message>
    <message>
        <source>オクターブ上げる</source>
        <translation>Octave Up</translation>
    </message>
    <message>
        <source>オクターブ下げる</source>
        <translation>Octave Down</translation>
    </message>
    <message>
        <source>長さの変更</source>
        <translation>Length Change</translation>
    </message>
    <message>
        <source>音間の変更</source>
        <translation>Articulation Change</translation>
    </message>
    <message>
        <source>休符にする</source>
        <translation>Make a Rest</translation>
    </message>
</context>
<context>
    <name>ScoreTableModel</name>
    <message>
        <source>番号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>音</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>高さ</source>
        <translation>Octave</translation>
    </message>
    <message>
        <source>長さ</source>
        <translation>Length</translation>
    </message>
    <message>
        <source>音間</source>
        <translation>Articulation</translation>
    </message>
    <message>
        <source>開始（秒）</source>
        <translation>Start (s)</translation>
    </message>
</context>
<context>
    <name>ScoreWindow</name>
    <message>
        <source>楽譜</source>
        <translation>Score</translation>
    </message>
    <message>
        <source>音の一覧</source>
        <translation>Note List</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>編集</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>元に戻す(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>やり直し(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>置き換え(&amp;C)</source>
        <translation>Repla&amp;ce</translation>
    </message>
    <message>
        <source>前に挿入(&amp;I)</source>
        <translation>&amp;Insert Before</translation>
    </message>
    <message>
        <source>削除(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>上へ(&amp;A)</source>
        <translation>&amp;Move Up</translation>
    </message>
    <message>
        <source>下へ(&amp;N)</source>
        <translation>Move Dow&amp;n</translation>
    </message>
    <message>
        <source>ここから再生(&amp;P)</source>
        <translation>&amp;Play from Here</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>五線譜(&amp;S)</source>
        <translation>&amp;Staff</translation>
    </message>
    <message>
        <source>一覧(&amp;T)</source>
        <translation>Note Lis&amp;t</translation>
    </message>
    <message>
        <source>拍子(&amp;M)</source>
        <translation>&amp;Meter</translation>
    </message>
    <message>
        <source>拡大(&amp;I)</source>
        <translation>Zoom &amp;In</translation>
    </message>
    <message>
        <source>縮小(&amp;O)</source>
        <translation>Zoom &amp;Out</translation>
    </message>
    <message>
        <source>標準の大きさ(&amp;Z)</source>
        <translation>Normal Si&amp;ze</translation>
    </message>
    <message>
        <source>最後の変更を元に戻します。</source>
        <translation>Undoes the last change.</translation>
    </message>
    <message>
        <source>元に戻した変更をやり直します。</source>
        <translation>Redoes the change you undid.</translation>
    </message>
    <message>
        <source>選んだ音を、作曲画面で選んでいる音に取り替えます。</source>
        <translation>Replaces the chosen notes with the note chosen in the composer.</translation>
    </message>
    <message>
        <source>作曲画面で選んでいる音を、選んだ音の前に入れます。</source>
        <translation>Inserts the note chosen in the composer before the chosen notes.</translation>
    </message>
    <message>
        <source>選んだ音を消します。</source>
        <translation>Deletes the chosen notes.</translation>
    </message>
    <message>
        <source>選んだ音を一つ前へ動かします。</source>
        <translation>Moves the chosen notes one place up.</translation>
    </message>
    <message>
        <source>選んだ音を一つ後ろへ動かします。</source>
        <translation>Moves the chosen notes one place down.</translation>
    </message>
    <message>
        <source>選んだ音から曲を鳴らします。</source>
        <translation>Plays the melody from the chosen note.</translation>
    </message>
    <message>
        <source>なし(&amp;N)</source>
        <translation>&amp;None</translation>
    </message>
    <message>
        <source>%1 番目の音を置き換えました</source>
        <translation>Replaced note %1</translation>
    </message>
    <message>
        <source>%1 番目に音を入れました</source>
        <translation>Inserted a note as note %1</translation>
    </message>
    <message numerus="yes">
        <source>%n 音を消しました</source>
        <translation>
            <numerusform>Deleted %n note</numerusform>
            <numerusform>Deleted %n notes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 音を一つ前へ動かしました</source>
        <translation>
            <numerusform>Moved %n note one place earlier</numerusform>
            <numerusform>Moved %n notes one place earlier</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 音を一つ後ろへ動かしました</source>
        <translation>
            <numerusform>Moved %n note one place later</numerusform>
            <numerusform>Moved %n notes one place later</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SendCommand</name>
    <message>
        <source>曲を nqc と赤外線タワーで RCX のプログラムに送る（PORT：usb（省いたとき）か /dev/ttyS0 などのシリアルポート。スロットは省くと 1）</source>
        <translation>send the melody to a program slot of the RCX through nqc and the infrared tower (PORT: usb, the default, or a serial port such as /dev/ttyS0; slot 1 by default)</translation>
    </message>
</context>
<context>
    <name>SendDialog</name>
    <message>
        <source>送ったあとでプログラムを動かす(&amp;R)</source>
        <translation>&amp;Run the program once it is sent</translation>
    </message>
    <message>
        <source>RCXに送る</source>
        <translation>Send to RCX</translation>
    </message>
    <message>
        <source>USB タワーは usb、シリアルタワーはつないだポート（/dev/ttyS0 など）</source>
        <translation>usb for the USB tower; for a serial tower its port (/dev/ttyS0, …)</translation>
    </message>
    <message>
        <source>タワーのポート(&amp;P):</source>
        <translation>Tower &amp;port:</translation>
    </message>
    <message>
        <source>プログラムの番号(&amp;N):</source>
        <translation>Program &amp;number:</translation>
    </message>
    <message>
        <source>送る</source>
        <translation>Send</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>StaffLayout</name>
    <message>
        <source>拍子に合いません</source>
        <translation>does not fit the meter</translation>
    </message>
</context>
<context>
    <name>StaffView</name>
    <message>
        <source>五線譜</source>
        <translation>Staff</translation>
    </message>
</context>
<context>
    <name>SysInfoStarter</name>
    <message>
        <source>現時点ではｼｽﾃﾑ情報を使用できません</source>
        <translation>System information is not available now</translation>
    </message>
</context>
<context>
    <name>SystemReasons</name>
    <message>
        <source>読む権限がありません。</source>
        <translation>You may not read it.</translation>
    </message>
    <message>
        <source>書き込む権限がありません。</source>
        <translation>You may not write there.</translation>
    </message>
    <message>
        <source>ファイルではなくフォルダです。</source>
        <translation>It is a folder, not a file.</translation>
    </message>
    <message>
        <source>読み取り専用のディスクです。</source>
        <translation>The disk is read-only.</translation>
    </message>
    <message>
        <source>ディスクの空き容量が足りません。</source>
        <translation>The disk is full.</translation>
    </message>
    <message>
        <source>ディスクの使用量の上限（クォータ）を超えました。</source>
        <translation>The disk quota is used up.</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます。</source>
        <translation>The file is too large.</translation>
    </message>
    <message>
        <source>ファイルまたはフォルダがありません。</source>
        <translation>The file or folder does not exist.</translation>
    </message>
    <message>
        <source>ディスクの読み書きでエラーが起きました。</source>
        <translation>The disk failed to read or write.</translation>
    </message>
    <message>
        <source>開いているファイルが多すぎます。</source>
        <translation>Too many files are open.</translation>
    </message>
    <message>
        <source>ファイルの名前または場所が長すぎます。</source>
        <translation>The file&apos;s name or path is too long.</translation>
    </message>
    <message>
        <source>フォルダではないものがフォルダの場所にあります。</source>
        <translation>Something that is not a folder stands where a folder should be.</translation>
    </message>
</context>
<context>
    <name>TempoWindow</name>
    <message>
        <source>テンポ設定</source>
        <translation>Tempo</translation>
    </message>
    <message>
        <source>テンポ</source>
        <translation>Tempo</translation>
    </message>
    <message>
        <source>開始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>テンポは６０から２４０の間に設定してください。</source>
        <translation>Set the tempo between 60 and 240.</translation>
    </message>
    <message>
        <source>注意</source>
        <translation>Note</translation>
    </message>
</context>
<context>
    <name>UndoActions</name>
    <message>
        <source>元に戻す(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>やり直し(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
</context>
<context>
    <name>UserFileWriter</name>
    <message>
        <source>実行できるファイルにできませんでした</source>
        <translation>could not be made executable</translation>
    </message>
</context>
<context>
    <name>ZepaApplication</name>
    <message>
        <source>前回の作曲の記録「%1」には、ZEPAが書いたものではないところがあるので、復元できません。
消さずに「%2」として残しました。</source>
        <translation>The record of the last composing, &quot;%1&quot;, has parts ZEPA did not write, so it cannot be restored.
It was kept as &quot;%2&quot;.</translation>
    </message>
    <message>
        <source>復元</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>名前のない曲</source>
        <translation>An untitled melody</translation>
    </message>
    <message numerus="yes">
        <source>前回の作曲を復元しますか？
%1、%n音（%2に記録）</source>
        <translation>
            <numerusform>Restore the melody you were composing last time?
%1, %n note (recorded %2)</numerusform>
            <numerusform>Restore the melody you were composing last time?
%1, %n notes (recorded %2)</numerusform>
        </translation>
    </message>
    <message>
        <source>「%1」</source>
        <translation>“%1”</translation>
    </message>
</context>
</TS>
