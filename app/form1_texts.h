#pragma once

#include "texts/shared_texts.h"

// The texts the main window shows, exactly as the users know them. Plain C++, so that the help
// generator reads them without Qt.
namespace zelanto::app::texts {

// Shown by zelanto-cli too.
using zelanto::texts::kNoPlottableData;
using zelanto::texts::kSheetFull;

inline constexpr char kTitle[] = "ZELANTO";
inline constexpr char kApplicationTitle[] = "zelanto";
inline constexpr char kCommand1Caption[] = "SIM 読込み";
inline constexpr char kCommand2Caption[] = "SIM 合体";
inline constexpr char kCommand4Caption[] = "Auto_CADへのルートパス設定";
inline constexpr char kLaunchCaption[] = "Auto_CAD起動";
inline constexpr char kPlotCaption[] = "プロット";
inline constexpr char kExpandCaption[] = "▼";
inline constexpr char kCollapseCaption[] = "▲";
inline constexpr char kFrame1Caption[] = "■ZELANTO ２つの機能■";
inline constexpr char kHelpLink[] = "<ヘルプ？>";
inline constexpr char kSettingDoneSuffix[] = " 設定済み";
inline constexpr char kChooseSimFile[] = "SIMファイルを選択してください・・・";
inline constexpr char kSimFilterDescription[] = "SIMファイル(*.sim)";
inline constexpr char kCadFilterDescription[] = "Auto_CAD EXEを選択(*.exe)";
// CAD programs on Linux carry no extension: the dialog first offers every file.
inline constexpr char kCadProgramFilterDescription[] = "CADプログラム(*)";
inline constexpr char kReadingSimData[] = "SIMデータ読込み中・・・";
inline constexpr char kWritingToSheet[] = "エクセルシートへ書き出しています・・・";
inline constexpr char kStartingSpreadsheet[] = "エクセルを起動します・・・";
inline constexpr char kPressLaunch[] = "Auto_CAD起動ボタンを押してください";
inline constexpr char kCannotOpenSimFile[] = "　SIMファィルが開けません";
inline constexpr char kCheckSimFile[] = "SIMファイルを確認してください・・・";
inline constexpr char kThreeFilesOnly[] = "SIM 合体は３ファィルしか出来ません";
inline constexpr char kOrOverFiftyThousand[] = "あるいはデータが５万点を越えています";
inline constexpr char kReadingData[] = "データを読み込んでいます・・・";
inline constexpr char kReadingDone[] = "データの読込み終了・・・";
inline constexpr char kFinishQuestion[] = "これで終了しますか？";
inline constexpr char kRenumbering[] = "電算Noは連番に書き換えます";
inline constexpr char kWriteStartTitle[] = "書き込み開始・・・";
inline constexpr char kSavingSimData[] = "只今SIMデータを保存しています・・・";
inline constexpr char kSavingDone[] = "保存終了・・・・・";
inline constexpr char kSavedTo[] = " へ保存が終了しました";
inline constexpr char kCheckLater[] = "拡張子は「orvik.sim」です　後で確認しておいてください";
inline constexpr char kWriteError[] = "書き込みエラーです　終了します";
inline constexpr char kChooseCadProgram[] = "Auto_CADソフト(EXE)を選択してください";
inline constexpr char kCadPathAccepted[] = "今後、選択したルートパスからAuto_CADを起動します";
inline constexpr char kPleaseWait[] = "しばらくお待ちください・・・";
inline constexpr char kPressPlot[] = "プロットボタンを押してください";
inline constexpr char kChooseScaleTitle[] = "縮尺を指定してプロットボタンを押す";
inline constexpr char kNoCadPathYet[] =
    "Auto_CADソフト(EXE)までの正しいパスがまだ設定されていません";
inline constexpr char kPressLaunchAgain[] = "もう一度「Auto_CAD起動」を押してください";
inline constexpr char kMakingScript[] = "スクリプト作成中";
inline constexpr char kRunningScript[] = "スクリプト実行";
inline constexpr char kNoticeWait[] = "しばらく時間がかかりますので、そのままお待ちください";
inline constexpr char kNoticeEnd[] = "プロットの終了と共にこの「ZELANTO」も終了します。";
inline constexpr char kNoticeThanks[] = "　　　---ご使用ありがとうございました---";
inline constexpr char kErrorEnd[] = "エラーが発生しました　終了します";

// The explanation of the two functions, its lines joined by CR LF.
inline constexpr const char* kLabel2Lines[] = {
    "",
    "「SIM 合体」",
    "複数のSIM座標データを連結して１つのSIMデータにします。",
    "操作は簡単、ファイルを開くダイアログから選択していくだけです。",
    "",
    "「SIM 読込み」",
    "ファイルを開くダイアログからSIMファィルを選択するだけで、エクセルのシートへ書式も設定されて自動的に読み込みます。",
    "そしてそのデータを元にAuto_CADへとプロットします。",
    "プロットしてソフトは終了しても、エクセルはそのままの状態ですので、保存したり印刷したりも可能です。",
};

// Texts of our own.
inline constexpr char kCredit[] = "© 2026 ZELANTO 開発チーム";
// The help file's title, which its viewer shows in the title of its window.
inline constexpr char kHelpTitle[] = "ZELANTO ヘルプ";
inline constexpr char kHelpMissing[] = "ヘルプファイルが見つかりません。";
inline constexpr char kHelpNotOpened[] = "ヘルプファイルを開けませんでした。";
inline constexpr char kSheetNotOpened[] =
    "座標シートを開くアプリケーションが見つかりませんでした。シートは次のファイルに保存してあります。";
inline constexpr char kSheetNotCreated[] = "座標シートを作成できませんでした。";
inline constexpr char kCadNotDriven[] =
    "Auto_CADへスクリプトの実行を送れませんでした。\r\n"
    "スクリプトは次のファイルに保存してあります。Auto_CADのscriptコマンドで実行してください。";
inline constexpr char kCoordinateNotANumber[] = "座標が数値ではありません: ";
inline constexpr char kDrawingNotOpened[] =
    "Auto_CADで図面を開けませんでした。\r\n"
    "図面は次のファイルに保存してあります。CADプログラムで開いてください。";
inline constexpr char kDrawingNotWritten[] =
    "図面ファイル（DXF）を書き出せませんでした。スクリプトは書き出してあります。理由:";
inline constexpr char kFileNotImported[] = "次のファイルは読み込めません。";
inline constexpr char kLauncherWithoutProgram[] =
    "選んだランチャーが起動するプログラムが見つかりません。プログラムそのものを選んでください。";
inline constexpr char kDrawingNotZoomed[] =
    "CADプログラムが図面を開いたことを確かめられず、図面の全体を表示できませんでした。\r\n"
    "図面が開いたら、CADプログラムのコマンドラインに za と入力すると全体が表示されます。図面は次のファイルです。";
inline constexpr char kPlotFilesFolder[] = "プロットのファイルは次のフォルダに保存します:";
inline constexpr char kRunningCopyBusy[] =
    "起動中の ZELANTO は作業中のため、次のファイルを開けませんでした。作業が終わってから、もう一度開いてください。";
inline constexpr char kRunningCopySilent[] =
    "起動中の ZELANTO が応答しないため、次のファイルを開けませんでした。";

}  // namespace zelanto::app::texts
