#include "common/Catalogue.h"

#include "common/Fault.h"

namespace tavlo {

// Numbers of one group are consecutive: callers add an index to a group's base number.
std::wstring_view ProgramText(TextNumber number)
{
    switch (static_cast<int>(number)) {
        case 10: return L"３";
        case 11: return L"ＤＯＣ";
        case 12: return L"4->3";
        case 13: return L"3->4";
        case 14: return L"全角";
        case 15: return L"半角";
        case 16: return L"小文字";
        case 17: return L"大文字";
        case 18: return L"中身";
        case 20: return L"拡張子を３文字以内にします（４文字以降は切ります）ただし全角が有る場合は変更しません";
        case 21: return L"拡張子がＤＯＣでテキストファイルのみＴＸＴに変更します";
        case 22: return L"オプションにて指定した４文字拡張子を３文字拡張子に変更します";
        case 23: return L"オプションにて指定した３文字拡張子を４３文字拡張子に変更します";
        case 24: return L"拡張子を全て全角に変換します";
        case 25: return L"拡張子を全て半角に変換します";
        case 26: return L"拡張子を全て小文字に変換します";
        case 27: return L"拡張子を全て大文字に変換します";
        case 28: return L"ファイルの中身を調べ、その種類に合った拡張子に変更します（テキストファイルと種類の分からないファイルは変更しません）";
        case 100: return L"４－＞３実行時のオプションの設定が１つも無いため実行できません";
        case 101: return L"３－＞４実行時のオプションの設定が１つも無いため実行できません";
        case 1000: return L"拡張子変更ファイル格納フォルダ";
        case 1001: return L"拡張子変更ファイル格納ドライブを設定します";
        case 1002: return L"拡張子変更ファイル格納フォルダを設定します";
        case 1003: return L"現在の拡張子変更ファイル格納フォルダ";
        case 2000: return L"拡張子変更ファイル名";
        case 2001: return L"拡張子を変更したいファイルを選択します";
        case 2002: return L"選択したファイルを拡張子変更対象とします";
        case 2003: return L"全てのファイルを拡張子変更対象とします";
        case 2004: return L"サブフォルダを含めて全てのファイルを拡張子変更対象とします";
        case 2010: return L"Filterの設定";
        case 2100: return L"フィルター";
        case 2101: return L"フィルターを入力してください。";
        case 2200: return L"フィルターに不正な値が設定されました。初期値に戻します。（初期値　*.*）";
        case 3000: return L"拡張子変更対象ファイル";
        case 3001: return L"このファイル名が拡張子変更の対象となります";
        case 3002: return L"選択したファイルを拡張子変更の対象からはずします";
        case 3003: return L"全てのファイルを拡張子変更の対象からはずします";
        case 3007: return L"拡張子変更ファイル格納フォルダを同一";
        case 3100: return L"一度で実行できるファイル数は最大１０００までです。";
        case 5000: return L"実行履歴";
        case 5001: return L"実行履歴";
        case 6000: return L"拡張子変更正常ファイル名";
        case 6001: return L"拡張子変更結果が正常なファイル名";
        case 7000: return L"About";
        case 7001: return L"タブロ２";
        case 8000: return L"Option";
        case 8038: return L"起動時のファイルは自動的に実行";
        case 8039: return L"ひらがなも変換の対象";
        case 8040: return L"２重拡張子を変換しない";
        case 8041: return L"起動時にファイル名を指定した場合、自動的に実行します。（フォームは表示されません）";
        case 8042: return L"半角変換時、全角ひらがなも半角カタカナに変換します";
        case 8043: return L"全角・半角変換時、.LZH.LZH .LZH.ZIP .ZIP.LZH ZIP.ZIP .TAR.GZ .TAR.Z は変換しません（拡張子として認識します）";
        case 8050: return L"３";
        case 8051: return L"ＤＯＣ";
        case 8052: return L"４－＞３";
        case 8053: return L"３－＞４";
        case 8054: return L"全角";
        case 8055: return L"半角";
        case 8056: return L"小文字";
        case 8057: return L"大文字";
        case 8058: return L"中身";
        case 8060: return L"自動的に拡張子を３文字以内にします（４文字以降は切ります）ただし全角が有る場合は変更しません";
        case 8061: return L"自動的に拡張子がＤＯＣでテキストファイルのみＴＸＴに変更します";
        case 8062: return L"自動的にオプションにて指定した４文字拡張子を３文字拡張子に変更します";
        case 8063: return L"自動的にオプションにて指定した３文字拡張子を４３文字拡張子に変更します";
        case 8064: return L"自動的に拡張子を全角に変更します";
        case 8065: return L"自動的に拡張子を半角に変更します";
        case 8066: return L"自動的に拡張子を小文字に変更します";
        case 8067: return L"自動的に拡張子を大文字に変更します";
        case 8068: return L"自動的に拡張子をファイルの中身に合った拡張子に変更します";
        case 8070: return L"[4->3]";
        case 8071: return L"[3->4]";
        case 8080: return L"HTML->HTM";
        case 8081: return L"JPEG->JPG";
        case 8082: return L"MPEG->MPG";
        case 8083: return L"AIFF->AIF";
        case 8084: return L"TIFF->TIF";
        case 8085: return L"TEXT->TXT";
        case 8090: return L"HTM->HTML";
        case 8091: return L"JPG->JPEG";
        case 8092: return L"MPG->MPEG";
        case 8093: return L"AIF->AIFF";
        case 8094: return L"TIF->TIFF";
        case 8095: return L"TXT->TEXT";
        case 8100: return L"HTMLをHTMに変更します";
        case 8101: return L"JPEGをJPGに変更します";
        case 8102: return L"MPEGをMPGに変更します";
        case 8103: return L"AIFFをAIFに変更します";
        case 8104: return L"TIFFをTIFに変更します";
        case 8105: return L"TEXTをTXTに変更します";
        case 8110: return L"HTMをHTMLに変更します";
        case 8111: return L"JPGをJPEGに変更します";
        case 8112: return L"MPGをMPEGに変更します";
        case 8113: return L"AIFをAIFFに変更します";
        case 8114: return L"TIFをTIFFに変更します";
        case 8115: return L"TXTをTEXTに変更します";
        case 9000: return L"Default";
        case 9005: return L"現在の拡張子変更ファイル格納フォルダからコピー";
        case 9007: return L"Ｗｉｎｄｏｗｓのテンポラリからコピー";
        case 9999: return L"Tavlo2 for Win32";
        case 10000: return L"拡張子変更ファイル格納フォルダ名";
        case 10020: return L"初期設定を無効にして、常に終了時のフォルダに復帰します";
        case 10021: return L"初期設定の拡張子変更ファイル格納ドライブ名を設定します";
        case 10022: return L"初期設定の拡張子変更ファイル格納フォルダ名を設定します";
        case 10023: return L"初期設定の拡張子変更ファイル格納フォルダ名";
        case 20000: return L"　オプションにて有効ではないため変更しません";
        case 20001: return L"　ファイル名変更後と同一の為変更しません";
        case 20002: return L"　ファイル名を変更できませんでした";
        case 20003: return L"　ファイル名を";
        case 20004: return L"　に変更しました";
        case 20005: return L"　拡張子が３文字以内のため変更しません";
        case 20006: return L"　拡張子に全角が有るため変更しません";
        case 20007: return L"　テキストファイルでないため変更しません";
        case 20008: return L"　拡張子がＤＯＣで無いため変更しません";
        case 20010: return L"　テキストファイルのため変更しません";
        case 20011: return L"　空のファイルのため変更しません";
        case 20012: return L"　中身の種類が分からないため変更しません";
        case 20013: return L"　中身が複数の種類に当てはまるため変更しません";
        case 20014: return L"　ファイルを読めないため変更しません";
        case 20015: return L"　中身: %FORMAT%";
        // Added texts of the engine, a range of their own.
        case 20100: return L"　ファイルは次の一時的な名前で残っています";
        case 20101: return L"　ファイルが見つかりません";
        // Taking a run back, a range of its own.
        case 21000: return L"　に戻しました";
        case 21001: return L"　元に戻せませんでした";
        case 21002: return L"元に戻しました";
        case 21003: return L"元に戻せなかったファイルがあります";
        case 21004: return L"元に戻せる実行がありません";
        case 21005: return L"　（新しい名前のファイルが見つかりません）";
        case 21006: return L"　（その後に変更された別のファイルです）";
        case 21007: return L"　（元の名前のファイルが既にあります）";
        case 21008: return L"　（名前を変更できませんでした）";
        case 21009: return L"　この実行は元に戻せません（変更履歴を書き込めませんでした）";
        case 21010: return L"Undo(&U)";
        case 21012: return L"%TIME% の実行はまだ終わっていないため元に戻せません。もう一度「元に戻す」を選ぶと、その前の実行を元に戻します";
        case 21013: return L"　読めない変更履歴を %PATH% に移しました";
        case 21011: return L"%TIME% の実行で名前を変えた %COUNT% 個のファイルを元の名前に戻します。よろしいですか？";
        // The Help command, a range of its own.
        case 21100: return L"ヘルプファイルが見つかりません: %FILE%";
        // The preview, a range of its own.
        case 22000: return L"変更します";
        case 22001: return L"同じ名前のファイルが既にあるため変更しません";
        case 22002: return L"前の行のファイルがこの名前になるため変更しません";
        case 22003: return L"大文字と小文字だけが違う同じ名前のファイルがあるため変更しません";
        case 22004: return L"ファイルが見つかりません";
        case 22005: return L"ファイルを読めません";
        case 22006: return L"拡張子が無いため変更しません";
        case 22007: return L"%RESULT%（%FORMAT%）";
        case 22010: return L"プレビュー - ";
        case 22011: return L"ファイル";
        case 22012: return L"新しい名前";
        case 22013: return L"結果";
        case 22014: return L"実行";
        case 22015: return L"キャンセル";
        case 22016: return L"変更するファイル: %RENAME% 個　変更しないファイル: %LEAVE% 個";
        case 22017: return L"実行前にプレビューを表示";
        case 22018: return L"モードボタンを押したとき、名前を変える前に新しい名前と結果を一覧で表示します";
        // The console command, a range of its own.
        case 23000: return L"使い方: tavlo2c モード [-n] [-r] [-a] [--utf8] パス...\r\n"
                           L"　　　　tavlo2c --undo\r\n"
                           L"　　　　tavlo2c --help\r\n"
                           L"\r\n"
                           L"指定したファイルの拡張子だけを、モードに従って変更します。\r\n"
                           L"\r\n"
                           L"モード（大文字と小文字は区別しません。数字でも指定できます）:\r\n"
                           L"  cut3    (0)  拡張子を３文字以内にします\r\n"
                           L"  doc     (1)  テキストファイルのＤＯＣをＴＸＴにします\r\n"
                           L"  4to3    (2)  オプションの４文字拡張子を３文字にします\r\n"
                           L"  3to4    (3)  オプションの３文字拡張子を４文字にします\r\n"
                           L"  wide    (4)  拡張子を全角にします\r\n"
                           L"  narrow  (5)  拡張子を半角にします\r\n"
                           L"  lower   (6)  拡張子を小文字にします\r\n"
                           L"  upper   (7)  拡張子を大文字にします\r\n"
                           L"  content (8)  拡張子をファイルの中身に合った拡張子にします\r\n"
                           L"\r\n"
                           L"パス: ファイル、フォルダ（直下のファイル）、または最後の部分に * と ? を含む名前。\r\n"
                           L"\r\n"
                           L"  -n, --dry-run  名前を変えずに、ファイル・新しい名前・結果をタブ区切りで表示します\r\n"
                           L"  -r             フォルダの下の全てのファイルを対象にします\r\n"
                           L"  -a, --all      隠しファイルとシステムファイル（とそのフォルダ）も対象にします\r\n"
                           L"  --utf8         リダイレクト先に UTF-8 で書きます（常にそうします）\r\n"
                           L"  --undo         最後の実行を元に戻します（ウィンドウ版の実行も含みます）\r\n"
                           L"  -h, /?, --help この説明を表示します\r\n"
                           L"\r\n"
                           L"終了コード: 0 全て変更後の名前になった、1 変更しなかったファイルがある（中断した）、\r\n"
                           L"　　　　　　2 コマンドラインの誤り、3 思わぬエラー";
        case 23001: return L"不明なモードです: %ARG%";
        case 23002: return L"不明なスイッチです: %ARG%";
        case 23003: return L"モードとパスを指定してください";
        case 23004: return L"--undo にはほかの指定を付けられません";
        case 23005: return L"指定に合うファイルがありません: %ARG%";
        case 23006: return L"変更履歴を書き込めませんでした";
        case 23007: return L"使い方は tavlo2c --help で表示します";
        case 23008: return L"思わぬエラーのため中断しました。変更した名前は tavlo2c --undo で元に戻せます";
        // The formats of the content mode.
        case 24000: return L"JPEG 画像";
        case 24001: return L"PNG 画像";
        case 24002: return L"GIF 画像";
        case 24003: return L"BMP 画像";
        case 24004: return L"TIFF 画像";
        case 24005: return L"WebP 画像";
        case 24006: return L"HEIC 画像";
        case 24007: return L"HEIF 画像";
        case 24008: return L"AVIF 画像";
        case 24009: return L"アイコン";
        case 24010: return L"Photoshop 画像";
        case 24011: return L"MP3 音声";
        case 24012: return L"FLAC 音声";
        case 24013: return L"Ogg メディア";
        case 24014: return L"WAV 音声";
        case 24015: return L"AIFF 音声";
        case 24016: return L"MPEG-4 音声";
        case 24017: return L"MIDI";
        case 24018: return L"MP4 動画";
        case 24019: return L"QuickTime 動画";
        case 24020: return L"3GP 動画";
        case 24021: return L"Matroska 動画";
        case 24022: return L"WebM 動画";
        case 24023: return L"AVI 動画";
        case 24024: return L"Flash 動画";
        case 24025: return L"MPEG プログラムストリーム";
        case 24026: return L"MPEG トランスポートストリーム";
        case 24027: return L"ZIP 書庫";
        case 24028: return L"7-Zip 書庫";
        case 24029: return L"RAR 書庫";
        case 24030: return L"gzip 圧縮ファイル";
        case 24031: return L"bzip2 圧縮ファイル";
        case 24032: return L"xz 圧縮ファイル";
        case 24033: return L"Zstandard 圧縮ファイル";
        case 24034: return L"tar 書庫";
        case 24035: return L"CAB 書庫";
        case 24036: return L"LZH 書庫";
        case 24037: return L"ISO ディスクイメージ";
        case 24038: return L"PDF 文書";
        case 24039: return L"リッチテキスト";
        case 24040: return L"Word 文書";
        case 24041: return L"Excel ブック";
        case 24042: return L"PowerPoint プレゼンテーション";
        case 24043: return L"Windows インストーラー パッケージ";
        case 24044: return L"Word 文書 (OOXML)";
        case 24045: return L"Word マクロ有効文書";
        case 24046: return L"Excel ブック (OOXML)";
        case 24047: return L"Excel マクロ有効ブック";
        case 24048: return L"PowerPoint プレゼンテーション (OOXML)";
        case 24049: return L"PowerPoint マクロ有効プレゼンテーション";
        case 24050: return L"OpenDocument テキスト";
        case 24051: return L"OpenDocument スプレッドシート";
        case 24052: return L"OpenDocument プレゼンテーション";
        case 24053: return L"EPUB 電子書籍";
        case 24054: return L"Java アーカイブ";
        case 24055: return L"Android パッケージ";
        case 24056: return L"実行ファイル";
        case 24057: return L"DLL";
        case 24058: return L"Java クラスファイル";
        case 24059: return L"TrueType フォント";
        case 24060: return L"OpenType フォント";
        case 24061: return L"TrueType コレクション";
        case 24062: return L"WOFF フォント";
        case 24063: return L"WOFF2 フォント";
        case 24064: return L"SQLite データベース";
        default: return {};
    }
}

std::wstring FillTag(std::wstring text, std::wstring_view tag, std::wstring_view value)
{
    const std::size_t at = text.find(tag);
    if (at != std::wstring::npos) text.replace(at, tag.size(), value);
    else ReportOddity("FillTag", std::wstring(tag) + L" missing from \"" + text + L"\"");
    return text;
}

std::wstring_view GeneralText(GeneralNumber number)
{
    switch (static_cast<int>(number)) {
        case 5: return L"ｷｬﾝｾﾙ";
        case 10: return L"実行中に中断します";
        case 20: return L"で使用したレジストリを全て削除します";
        case 30: return L"中断しました";
        case 31: return L"全て終了しました";
        case 1005: return L"リフレッシュ";
        case 1006: return L"フォルダエリアスの追加";
        case 1007: return L"フォルダエリアスのメンテナンス";
        case 1100: return L"フォルダエリアス名を入力してください";
        case 1101: return L"フォルダエリアス名入力";
        case 1102: return L"同一のフォルダエリアス名は追加できません";
        case 1103: return L"開いているフォルダが無いためフォルダエリアスを追加できません";
        case 2006: return L"全て選択";
        case 2007: return L"全て選択の解除";
        case 2008: return L"初期化";
        case 5100: return L"ファイルが存在しています。上書きしてよろしいですか";
        case 5101: return L"セーブできませんでした。";
        // Contact lines of the about box: the project itself, on a reserved domain.
        case 7003: return L"tavlo2-dev";
        case 7004: return L"tavlo2@tavlo2.invalid";
        case 7005: return L"https://tavlo2.invalid/";
        case 8042: return L"初期値";
        case 8043: return L"ｷｬﾝｾﾙ";
        case 8044: return L"設定";
        case 8045: return L"設定を初期設定に戻します";
        case 8046: return L"設定を中断して、閉じます";
        case 8047: return L"設定を有効にして、閉じます";
        case 8056: return L"リサイズ時、小フォームも変更";
        case 8057: return L"小フォームが親フォームにあわせてリサイズされます";
        case 8058: return L"ＴｏｏｌＴｉｐを表示";
        case 8059: return L"マウス停止時の説明を表示するかしないかの設定をします";
        case 8060: return L"結果をクリップボートにコピー";
        case 8061: return L"自動実行時、結果を自動的にクリップボートにコピーします";
        case 11000: return L"のエリアスメンテナンス";
        case 11003: return L"名前の変更";
        case 11006: return L"現在選択しているフォルダエリアス名の変更します";
        case 11007: return L"フォルダエリアス名に対応するフォルダ名";
        case 11008: return L"フォルダエリアス登録一覧";
        case 11009: return L"現在選択しているフォルダエリアスを１つ上に移動します";
        case 11010: return L"現在選択しているフォルダエリアスを１つ下に移動します";
        case 11011: return L"現在選択しているフォルダエリアスを削除します";
        case 11012: return L"全て削除します";
        case 11101: return L"フォルダエリアス名を入力してください";
        case 11102: return L"フォルダエリアス名の変更";
        case 11103: return L"すでに存在するフォルダエリアス名には変更できません";        default: return {};
    }
}

} // namespace tavlo
