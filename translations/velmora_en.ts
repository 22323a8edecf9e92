<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja_JP">
<context>
    <name>AboutBox</name>
    <message>
        <location filename="../app/About.cpp" line="44"/>
        <source>バージョン情報</source>
        <translation>About Velmora</translation>
    </message>
    <message>
        <location filename="../app/About.cpp" line="69"/>
        <source>Version 2.0</source>
        <translation>Version 2.0</translation>
    </message>
    <message>
        <location filename="../app/About.cpp" line="70"/>
        <source>作者: Velmora 開発チーム</source>
        <translation>Author: the Velmora developers</translation>
    </message>
    <message>
        <location filename="../app/About.cpp" line="71"/>
        <source>Copyright (C) 2026 Velmora 開発チーム</source>
        <translation>Copyright (C) 2026 the Velmora developers</translation>
    </message>
    <message>
        <location filename="../app/About.cpp" line="73"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>AmplitudeMonitor</name>
    <message>
        <location filename="../monitor/AmplitudeMonitor.cpp" line="49"/>
        <source>振幅モニタ</source>
        <translation>Amplitudes</translation>
    </message>
    <message>
        <location filename="../monitor/AmplitudeMonitor.cpp" line="81"/>
        <source>絶対値(&amp;A)</source>
        <translation>&amp;Absolute</translation>
    </message>
    <message>
        <location filename="../monitor/AmplitudeMonitor.cpp" line="83"/>
        <source>縮尺自動(&amp;S)</source>
        <translation>Auto &amp;Scale</translation>
    </message>
    <message>
        <location filename="../monitor/AmplitudeMonitor.cpp" line="93"/>
        <source>グラフ</source>
        <translation>Chart</translation>
    </message>
    <message>
        <location filename="../monitor/AmplitudeMonitor.cpp" line="117"/>
        <source>表</source>
        <translation>Table</translation>
    </message>
</context>
<context>
    <name>AmplitudeText</name>
    <message>
        <location filename="../monitor/AmplitudeText.cpp" line="82"/>
        <source>%1次</source>
        <translation>n = %1</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <location filename="../app/CommandLine.cpp" line="53"/>
        <source>両端を固定した弦の振動を、基準振動の重ね合わせとしてアニメーションで示します。</source>
        <translation>Animates the vibration of a string fixed at both ends as a superposition of its normal modes.</translation>
    </message>
    <message>
        <location filename="../app/CommandLine.cpp" line="59"/>
        <source>画面の言語: ja (日本語) または en (英語)。既定はシステムの言語です。</source>
        <translation>Interface language: ja (Japanese) or en (English). The default follows the system language.</translation>
    </message>
    <message>
        <location filename="../app/CommandLine.cpp" line="65"/>
        <source>レッスン (なければ起動時の状態) の画面を PNG ファイルに保存して終了します</source>
        <translation>Saves the picture of the lesson (or of the start state) as a PNG file and exits.</translation>
    </message>
    <message>
        <location filename="../app/CommandLine.cpp" line="71"/>
        <source>--export-png と --export-gif の画像の大きさ (幅x高さ、ピクセル)</source>
        <translation>The size of the --export-png and --export-gif pictures in pixels, as WIDTHxHEIGHT.</translation>
    </message>
    <message>
        <location filename="../app/CommandLine.cpp" line="76"/>
        <source>レッスン (なければ起動時の状態) の各波の振幅を CSV ファイルに保存して終了します</source>
        <translation>Saves the amplitude of every mode of the lesson (or of the start state) as a CSV file and exits.</translation>
    </message>
    <message>
        <location filename="../app/CommandLine.cpp" line="82"/>
        <source>レッスン (なければ起動時の状態) の1周期のアニメーションを GIF ファイルに保存して終了します</source>
        <translation>Saves one period of the lesson (or of the start state) as an animated GIF file and exits.</translation>
    </message>
    <message>
        <location filename="../app/CommandLine.cpp" line="89"/>
        <source>--export-gif のコマ数 (%1〜%2、既定 %3)</source>
        <translation>The number of frames of the --export-gif animation (%1 to %2, %3 if not given).</translation>
    </message>
    <message>
        <location filename="../app/CommandLine.cpp" line="96"/>
        <source>始めに開くレッスンのファイル (.velmora)</source>
        <translation>A lesson file (.velmora) to open at start.</translation>
    </message>
    <message>
        <location filename="../app/CommandLine.cpp" line="115"/>
        <source>--%1 にファイル名がありません</source>
        <translation>--%1 needs a file name</translation>
    </message>
    <message>
        <location filename="../app/CommandLine.cpp" line="118"/>
        <source>--export-png と --size は一緒に指定してください</source>
        <translation>--export-png and --size must be given together</translation>
    </message>
    <message>
        <location filename="../app/CommandLine.cpp" line="120"/>
        <source>--export-gif と --size は一緒に指定してください</source>
        <translation>--export-gif and --size must be given together</translation>
    </message>
    <message>
        <location filename="../app/CommandLine.cpp" line="122"/>
        <source>--size は --export-png か --export-gif と一緒に指定してください</source>
        <translation>--size must be given with --export-png or --export-gif</translation>
    </message>
    <message>
        <location filename="../app/CommandLine.cpp" line="125"/>
        <source>--frames は --export-gif と一緒に指定してください</source>
        <translation>--frames must be given with --export-gif</translation>
    </message>
    <message>
        <location filename="../app/CommandLine.cpp" line="129"/>
        <source>画像の大きさ &apos;%1&apos; が正しくありません。幅x高さ (1〜%2) で指定してください (例: 800x600)</source>
        <translation>Invalid image size &apos;%1&apos;: give it as WIDTHxHEIGHT, each from 1 to %2 (e.g. 800x600)</translation>
    </message>
    <message>
        <location filename="../app/CommandLine.cpp" line="140"/>
        <source>コマ数 &apos;%1&apos; が正しくありません。%2〜%3 で指定してください</source>
        <translation>Invalid frame count &apos;%1&apos;: give a number from %2 to %3</translation>
    </message>
    <message>
        <location filename="../app/CommandLine.cpp" line="173"/>
        <source>言語 &apos;%1&apos; はありません。ja か en を指定してください</source>
        <translation>Unknown language &apos;%1&apos;: use ja or en</translation>
    </message>
    <message>
        <location filename="../app/CommandLine.cpp" line="148"/>
        <location filename="../app/CommandLine.cpp" line="198"/>
        <source>余分な引数があります: %1</source>
        <translation>Unexpected arguments: %1</translation>
    </message>
</context>
<context>
    <name>ConvertError</name>
    <message>
        <location filename="../platform/ColorText.cpp" line="67"/>
        <location filename="../platform/ColorText.cpp" line="68"/>
        <source>&apos;%1&apos; は整数ではありません</source>
        <translation>&apos;%1&apos; is not an integer</translation>
    </message>
</context>
<context>
    <name>CustomLines</name>
    <message>
        <location filename="../display/CustomLines.cpp" line="8"/>
        <source>合成波</source>
        <translation>Sum</translation>
    </message>
    <message>
        <location filename="../display/CustomLines.cpp" line="10"/>
        <source>%1次以降</source>
        <translation>n ≥ %1</translation>
    </message>
    <message>
        <location filename="../display/CustomLines.cpp" line="11"/>
        <source>%1次振動</source>
        <translation>n = %1</translation>
    </message>
</context>
<context>
    <name>DisplaySettingsWindow</name>
    <message>
        <location filename="../display/DisplaySettingsWindow.cpp" line="42"/>
        <source>表示設定</source>
        <translation>Display Settings</translation>
    </message>
    <message>
        <location filename="../display/DisplaySettingsWindow.cpp" line="54"/>
        <source>閉じる(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <location filename="../display/DisplaySettingsWindow.cpp" line="76"/>
        <source>背景の色</source>
        <translation>Background Color</translation>
    </message>
    <message>
        <location filename="../display/DisplaySettingsWindow.cpp" line="78"/>
        <source>中心軸の線のスタイル</source>
        <translation>Axis Line Style</translation>
    </message>
    <message>
        <location filename="../display/DisplaySettingsWindow.cpp" line="81"/>
        <source>縦の補助線</source>
        <translation>Vertical Guide Lines</translation>
    </message>
    <message>
        <location filename="../display/DisplaySettingsWindow.cpp" line="86"/>
        <source>縦の補助線を表示する</source>
        <translation>Show guide lines</translation>
    </message>
    <message>
        <location filename="../display/DisplaySettingsWindow.cpp" line="94"/>
        <source>分割</source>
        <translation>parts</translation>
    </message>
    <message>
        <location filename="../display/DisplaySettingsWindow.cpp" line="97"/>
        <source>縦線のスタイル</source>
        <translation>Line Style</translation>
    </message>
    <message>
        <location filename="../display/DisplaySettingsWindow.cpp" line="100"/>
        <source>一般</source>
        <translation>General</translation>
    </message>
    <message>
        <location filename="../display/DisplaySettingsWindow.cpp" line="116"/>
        <source>クリア(&amp;E)</source>
        <translation>Cl&amp;ear</translation>
    </message>
    <message>
        <location filename="../display/DisplaySettingsWindow.cpp" line="119"/>
        <source>波の線スタイル</source>
        <translation>Wave Lines</translation>
    </message>
</context>
<context>
    <name>Export</name>
    <message>
        <location filename="../app/Export.cpp" line="27"/>
        <source>%1 に書き込めません</source>
        <translation>Cannot write %1</translation>
    </message>
    <message>
        <location filename="../app/Export.cpp" line="105"/>
        <source>%1x%2 の画像を作れません</source>
        <translation>Cannot make a %1x%2 picture</translation>
    </message>
</context>
<context>
    <name>Lesson</name>
    <message>
        <location filename="../model/Lesson.cpp" line="56"/>
        <source>%1 がありません</source>
        <translation>%1 is missing</translation>
    </message>
    <message>
        <location filename="../model/Lesson.cpp" line="65"/>
        <source>%1 の値 &quot;%2&quot; は使えません</source>
        <translation>the value &quot;%2&quot; of %1 cannot be used</translation>
    </message>
    <message>
        <location filename="../model/Lesson.cpp" line="181"/>
        <source>レッスンのファイルではありません</source>
        <translation>it is not a lesson file</translation>
    </message>
    <message>
        <location filename="../model/Lesson.cpp" line="199"/>
        <source>新しい版 (%1) のレッスンです。この Velmora が読めるのは版 %2 までです</source>
        <translation>it is a lesson of a later format (version %1); this Velmora reads versions up to %2</translation>
    </message>
</context>
<context>
    <name>LessonFile</name>
    <message>
        <location filename="../app/LessonFile.cpp" line="15"/>
        <source>ファイルがありません</source>
        <translation>there is no such file</translation>
    </message>
    <message>
        <location filename="../app/LessonFile.cpp" line="17"/>
        <source>1 MB を超えるファイルはレッスンではありません</source>
        <translation>a file larger than 1 MB is no lesson</translation>
    </message>
    <message>
        <location filename="../app/LessonFile.cpp" line="19"/>
        <source>ファイルを読み込めません</source>
        <translation>the file cannot be read</translation>
    </message>
    <message>
        <location filename="../app/LessonFile.cpp" line="29"/>
        <source>%1 を開けません: %2</source>
        <translation>Cannot open %1: %2</translation>
    </message>
</context>
<context>
    <name>LineStyleDialog</name>
    <message>
        <location filename="../display/LineStyleDialog.cpp" line="53"/>
        <source>線の設定</source>
        <translation>Line Style</translation>
    </message>
    <message>
        <location filename="../display/LineStyleDialog.cpp" line="64"/>
        <source>クリックして設定</source>
        <translation>Click to choose</translation>
    </message>
    <message>
        <location filename="../display/LineStyleDialog.cpp" line="65"/>
        <source>線の色</source>
        <translation>Color</translation>
    </message>
    <message>
        <location filename="../display/LineStyleDialog.cpp" line="70"/>
        <source>実線</source>
        <translation>Solid</translation>
    </message>
    <message>
        <location filename="../display/LineStyleDialog.cpp" line="70"/>
        <source>破線</source>
        <translation>Dash</translation>
    </message>
    <message>
        <location filename="../display/LineStyleDialog.cpp" line="70"/>
        <source>点線</source>
        <translation>Dot</translation>
    </message>
    <message>
        <location filename="../display/LineStyleDialog.cpp" line="70"/>
        <source>一点鎖線</source>
        <translation>Dash dot</translation>
    </message>
    <message>
        <location filename="../display/LineStyleDialog.cpp" line="70"/>
        <source>二点鎖線</source>
        <translation>Dash dot dot</translation>
    </message>
    <message>
        <location filename="../display/LineStyleDialog.cpp" line="71"/>
        <source>線の形</source>
        <translation>Style</translation>
    </message>
    <message>
        <location filename="../display/LineStyleDialog.cpp" line="78"/>
        <source>線の幅</source>
        <translation>Width</translation>
    </message>
    <message>
        <location filename="../display/LineStyleDialog.cpp" line="83"/>
        <source>キャンセル(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <location filename="../display/LineStyleDialog.cpp" line="85"/>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <location filename="../display/LineStyleDialog.cpp" line="161"/>
        <source>%1pixel</source>
        <translation>%1 px</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../mainwindow/MainWindow.cpp" line="26"/>
        <source>Velmora</source>
        <translation>Velmora</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindow.cpp" line="49"/>
        <source>Time = 0</source>
        <translation>Time = 0</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindow.cpp" line="50"/>
        <source>X=0%</source>
        <translation>X=0%</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindow.cpp" line="59"/>
        <source>t = %1</source>
        <translation>t = %1</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="96"/>
        <source>波設定...(&amp;S)</source>
        <translation>Wave &amp;Settings...</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="96"/>
        <source>作る波の設定</source>
        <translation>Set up the wave to animate</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="97"/>
        <source>表示設定...(&amp;V)</source>
        <translation>&amp;Display Settings...</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="98"/>
        <source>描画色、線などの視覚的設定</source>
        <translation>Colors, lines and other display settings</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="99"/>
        <source>レッスンを開く...(&amp;O)</source>
        <translation>&amp;Open Lesson...</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="100"/>
        <source>保存したレッスンを開く</source>
        <translation>Open a saved lesson</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="101"/>
        <source>レッスンを保存...(&amp;W)</source>
        <translation>Save &amp;Lesson As...</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="102"/>
        <source>今の設定をレッスンとして保存</source>
        <translation>Save the present settings as a lesson</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="104"/>
        <source>このプログラムについて...(&amp;A)</source>
        <translation>&amp;About Velmora...</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="104"/>
        <source>このプログラムについて表示</source>
        <translation>Show information about this program</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="105"/>
        <source>終了(&amp;Q)</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="105"/>
        <source>アプリケーションの終了</source>
        <translation>Quit the program</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="107"/>
        <source>コピー(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="107"/>
        <location filename="../mainwindow/MainWindowActions.cpp" line="234"/>
        <source>クリップボードに画像をコピー</source>
        <translation>Copy the picture to the clipboard</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="109"/>
        <source>画像として保存...(&amp;G)</source>
        <translation>Save &amp;Image...</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="109"/>
        <source>今の画面を画像ファイルとして保存</source>
        <translation>Save the picture as an image file</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="110"/>
        <source>アニメーションとして保存...(&amp;M)</source>
        <translation>Save &amp;Animation...</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="111"/>
        <source>1周期のアニメーションをGIFファイルとして保存</source>
        <translation>Save one period as an animated GIF</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="113"/>
        <location filename="../mainwindow/MainWindowActions.cpp" line="115"/>
        <location filename="../mainwindow/MainWindowActions.cpp" line="239"/>
        <source>ポーズ</source>
        <translation>Pause</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="115"/>
        <source>ポーズ(&amp;P)</source>
        <translation>&amp;Pause</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="117"/>
        <source>時刻0に戻る(&amp;B)</source>
        <translation>&amp;Back to Time 0</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="117"/>
        <source>時刻0の状態を表示してポーズ</source>
        <translation>Show the string at time 0 and pause</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="118"/>
        <source>時刻入力(&amp;T)</source>
        <translation>Go to &amp;Time...</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="118"/>
        <source>任意の時刻の波を表示</source>
        <translation>Show the wave at any time</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="119"/>
        <source>コマ戻し</source>
        <translation>Step Back</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="119"/>
        <source>1コマ前を表示</source>
        <translation>Show the previous frame</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="120"/>
        <source>コマおくり</source>
        <translation>Step Forward</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="120"/>
        <source>1コマ先を表示</source>
        <translation>Show the next frame</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="121"/>
        <source>音を出す(&amp;N)</source>
        <translation>Play Sou&amp;nd</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="121"/>
        <source>弦の音を鳴らす</source>
        <translation>Play the string&apos;s tone</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="123"/>
        <source>すべての波を表示(&amp;A)</source>
        <translation>Show &amp;All Modes</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="124"/>
        <source>赤線で合成前のすべての波を表示</source>
        <translation>Show every mode before summing, in red</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="127"/>
        <source>描画精度...(&amp;Q)</source>
        <translation>Drawing &amp;Quality...</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="127"/>
        <source>画面をいくつに分割して描くかを設定</source>
        <translation>Set how many segments draw the string</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="128"/>
        <source>画面書替え周期...(&amp;I)</source>
        <translation>Redraw &amp;Interval...</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="129"/>
        <source>画面を書替える周期をミリ秒単位で設定</source>
        <translation>Set the redraw interval in milliseconds</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="130"/>
        <source>拡大表示</source>
        <translation>Zoom In</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="130"/>
        <location filename="../mainwindow/MainWindowActions.cpp" line="249"/>
        <source>縦方向に拡大表示</source>
        <translation>Zoom in vertically</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="132"/>
        <source>縮小表示</source>
        <translation>Zoom Out</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="132"/>
        <location filename="../mainwindow/MainWindowActions.cpp" line="250"/>
        <source>縦方向に縮小表示</source>
        <translation>Zoom out vertically</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="134"/>
        <source>振幅モニタ(&amp;M)</source>
        <translation>Amplitude &amp;Monitor</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="134"/>
        <source>各波の振幅を表示</source>
        <translation>Show the amplitude of each mode</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="136"/>
        <location filename="../mainwindow/MainWindowActions.cpp" line="243"/>
        <source>描画精度アップ</source>
        <translation>Finer drawing</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="137"/>
        <location filename="../mainwindow/MainWindowActions.cpp" line="244"/>
        <source>描画精度ダウン</source>
        <translation>Coarser drawing</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="138"/>
        <location filename="../mainwindow/MainWindowActions.cpp" line="246"/>
        <source>書替え頻度ダウン</source>
        <translation>Redraw less often</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="139"/>
        <location filename="../mainwindow/MainWindowActions.cpp" line="247"/>
        <source>書替え頻度アップ</source>
        <translation>Redraw more often</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="172"/>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="182"/>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="187"/>
        <source>ｱﾆﾒｰｼｮﾝ(&amp;A)</source>
        <translation>&amp;Animation</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="200"/>
        <source>ｺﾝﾄﾛｰﾙ(&amp;C)</source>
        <translation>&amp;Control</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="227"/>
        <source>波を設定</source>
        <translation>Set up the wave</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="228"/>
        <source>設定</source>
        <translation>Wave</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="231"/>
        <source>表示設定</source>
        <translation>Display settings</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="232"/>
        <source>すべての波を表示</source>
        <translation>Show all modes</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="233"/>
        <source>振幅モニタを表示</source>
        <translation>Show the amplitude monitor</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="237"/>
        <source>時刻0に戻る</source>
        <translation>Back to time 0</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="238"/>
        <source>こま戻し</source>
        <translation>Step back</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="240"/>
        <source>こま送り</source>
        <translation>Step forward</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="245"/>
        <source>クリックして描画精度設定</source>
        <translation>Click to set the drawing quality</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="248"/>
        <source>クリックして描画頻度設定</source>
        <translation>Click to set the redraw interval</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="315"/>
        <source>インタ－バル設定</source>
        <translation>Redraw Interval</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="315"/>
        <source>画面書替え頻度（単位 ﾐﾘ秒/ｺﾏ)</source>
        <translation>Redraw interval (milliseconds per frame):</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="326"/>
        <source>精度設定</source>
        <translation>Quality</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="326"/>
        <source>描画精度</source>
        <translation>Drawing quality (segments):</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="337"/>
        <source>時刻設定</source>
        <translation>Go to Time</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="337"/>
        <source>時刻を入力して下さい（単位 秒)</source>
        <translation>Enter the time (in frames):</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="385"/>
        <source>%1x%2 の画像を作れません</source>
        <translation>Cannot make a %1x%2 picture</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="390"/>
        <source>%1 に書き込めません</source>
        <translation>Cannot write %1</translation>
    </message>
    <message>
        <location filename="../mainwindow/AnimationSave.cpp" line="42"/>
        <source>コマ数</source>
        <translation>Frames</translation>
    </message>
    <message>
        <location filename="../mainwindow/AnimationSave.cpp" line="43"/>
        <source>1周期のコマ数 (%1〜%2):</source>
        <translation>Frames in one period (%1 to %2):</translation>
    </message>
    <message>
        <location filename="../mainwindow/AnimationSave.cpp" line="47"/>
        <location filename="../mainwindow/AnimationSave.cpp" line="64"/>
        <source>アニメーションとして保存</source>
        <translation>Save Animation</translation>
    </message>
    <message>
        <location filename="../mainwindow/AnimationSave.cpp" line="47"/>
        <source>GIF 画像 (*.gif)</source>
        <translation>GIF images (*.gif)</translation>
    </message>
    <message>
        <location filename="../mainwindow/AnimationSave.cpp" line="65"/>
        <source>%1 コマを描いています...</source>
        <translation>Drawing %1 frames...</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="400"/>
        <source>画像として保存</source>
        <translation>Save Image</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="400"/>
        <source>PNG 画像 (*.png)</source>
        <translation>PNG images (*.png)</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="420"/>
        <source>画面と同じ (%1 × %2)</source>
        <translation>Same as the window (%1 × %2)</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="423"/>
        <source>大きさを指定...</source>
        <translation>Other size...</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="426"/>
        <location filename="../mainwindow/MainWindowActions.cpp" line="433"/>
        <source>画像の大きさ</source>
        <translation>Picture Size</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="426"/>
        <source>保存する画像の大きさ:</source>
        <translation>Size of the saved picture:</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="433"/>
        <source>幅x高さ (1〜%1):</source>
        <translation>Width x height (1 to %1):</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainWindowActions.cpp" line="455"/>
        <source>X = %1%</source>
        <translation>X = %1%</translation>
    </message>
</context>
<context>
    <name>ProfileFile</name>
    <message>
        <location filename="../platform/ProfileFile.cpp" line="70"/>
        <source>%1 に書き込めません</source>
        <translation>Cannot write %1</translation>
    </message>
    <message>
        <location filename="../platform/ProfileFile.cpp" line="77"/>
        <source>%1 は大きすぎるため書き込みません</source>
        <translation>%1 is too large and is not written</translation>
    </message>
    <message>
        <location filename="../platform/ProfileFile.cpp" line="86"/>
        <source>%1 は大きすぎるため読み込めません</source>
        <translation>%1 is too large to read</translation>
    </message>
</context>
<context>
    <name>WaveSettingsDialog</name>
    <message>
        <location filename="../settings/WaveSettingsDialog.cpp" line="73"/>
        <source>波の設定</source>
        <translation>Wave Settings</translation>
    </message>
    <message>
        <location filename="../settings/WaveSettingsDialog.cpp" line="77"/>
        <source>波の数</source>
        <translation>Number of Modes</translation>
    </message>
    <message>
        <location filename="../settings/WaveSettingsDialog.cpp" line="79"/>
        <source>項までの波を生成</source>
        <translation>modes in the sum</translation>
    </message>
    <message>
        <location filename="../settings/WaveSettingsDialog.cpp" line="81"/>
        <source>周期</source>
        <translation>Period</translation>
    </message>
    <message>
        <location filename="../settings/WaveSettingsDialog.cpp" line="83"/>
        <source>コマ</source>
        <translation>frames</translation>
    </message>
    <message>
        <location filename="../settings/WaveSettingsDialog.cpp" line="85"/>
        <source>振幅</source>
        <translation>Amplitude</translation>
    </message>
    <message>
        <location filename="../settings/WaveSettingsDialog.cpp" line="85"/>
        <source>すべて同じ振幅</source>
        <translation>All the same</translation>
    </message>
    <message>
        <location filename="../settings/WaveSettingsDialog.cpp" line="85"/>
        <source>1/n に従う</source>
        <translation>Falling as 1/n</translation>
    </message>
    <message>
        <location filename="../settings/WaveSettingsDialog.cpp" line="85"/>
        <source>任意の波形を近似</source>
        <translation>Fit a drawn waveform</translation>
    </message>
    <message>
        <location filename="../settings/WaveSettingsDialog.cpp" line="89"/>
        <source>波形エディタ</source>
        <translation>Waveform Editor</translation>
    </message>
    <message>
        <location filename="../settings/WaveSettingsDialog.cpp" line="94"/>
        <source>クリア</source>
        <translation>Clear</translation>
    </message>
    <message>
        <location filename="../settings/WaveSettingsDialog.cpp" line="105"/>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
</context>
<context>
    <name>Windows</name>
    <message>
        <location filename="../app/Windows.cpp" line="66"/>
        <source>音を出せる装置がありません</source>
        <translation>No sound output is available</translation>
    </message>
    <message>
        <location filename="../app/Windows.cpp" line="197"/>
        <source>レッスンを保存</source>
        <translation>Save Lesson</translation>
    </message>
    <message>
        <location filename="../app/Windows.cpp" line="197"/>
        <source>レッスンを開く</source>
        <translation>Open Lesson</translation>
    </message>
    <message>
        <location filename="../app/Windows.cpp" line="198"/>
        <source>レッスン (*.velmora)</source>
        <translation>Lessons (*.velmora)</translation>
    </message>
</context>
</TS>
