#include "app/menutexts.h"

#include "app/commandids.h"

namespace tgc {

namespace {

MenuEntry item(const char* text, int id) {
  return {QString::fromUtf8(text), id, {}};
}
MenuEntry separator() {
  return {QString(), 0, {}};
}

}  // namespace

const QVector<TopMenu>& menuBarLayout() {
  static const QVector<TopMenu> layout = {
      {QStringLiteral("ファイル(&F)"),
       {item("新規作成(&N)\tCtrl+N", cmd::New), item("開く(&O)..\tCtrl+O", cmd::Open),
        item("上書き保存(&S)\tCtrl+S", cmd::Save), item("名前をつけて保存(&A)...\tCtrl+T", cmd::SaveAs),
        separator(), item("インポート(&I)\tCtrl+I", cmd::Import),
        item("テキスト出力(&K)\tCtrl+K", cmd::TextOutput), item("印刷(&P)...\tCtrl+P", cmd::Print),
        item("エクスポート(&E)...", cmd::Export), separator(), item("", kRecentBlock), separator(),
        item("アプリケーションの終了(&X)", cmd::Exit)}},
      {QStringLiteral("編集(&E)"),
       {item("元に戻す(&Z)\tCtrl+Z", cmd::Undo), item("やり直し(&Y)\tCtrl+Y", cmd::Redo),
        item("コピー(&C)\tCtrl+C", cmd::Copy), item("貼り付け(&V)\tCtrl+V", cmd::Paste), separator(),
        item("語句削除(&L)\tDel", cmd::DeleteWord), item("シート削除(&K)\tCtrl+D", cmd::DeleteSheet),
        separator(), item("語句アシスト(&A)\tIns", cmd::WordAssist),
        item("アイデア設定(&I)\tCtrl+Enter", cmd::Idea), separator(),
        item("検索(&F)...\tCtrl+F", cmd::Find)}},
      {QStringLiteral("シート作成(&I)"),
       {item("タイプＡ(&A)\tF7", cmd::CreateA), item("タイプＢ(&B)\tF8", cmd::CreateB),
        item("タイプＣ(&C)\tF9", cmd::CreateC)}},
      {QStringLiteral("シート移動(&M)"),
       {item("前のシート(&B)\tF3", cmd::PrevSheet), item("後のシート(&N)\tF4", cmd::NextSheet), separator(),
        item("先頭のシート(&W)\tF5", cmd::FirstSheet), item("最終のシート(&K)\tF6", cmd::LastSheet)}},
      {QStringLiteral("表示(&V)"),
       {item("語句リスト(&L)...\tCtrl+L", cmd::WordList),
        item("アイデアメモ(&U)\tCtrl+SPACE", cmd::IdeaMemo),
        item("カタログマーク編集(&E)...\tCtrl+M", cmd::MarkEditor),
        item("マーク名表示(&M)\tCtrl+E", cmd::MarkNames),
        separator(),
        {QStringLiteral("文字色(&T)"),
         kSubmenu,
         {item("既定値(&D)", cmd::ColorDefault), item("変更(&C)...\tCtrl+W", cmd::ColorChange)}},
        {QStringLiteral("フォント(&F)"),
         kSubmenu,
         {item("既定値(&D)", cmd::FontDefault), item("変更(&C)...\tCtrl+H", cmd::FontChange)}}}},
      {QStringLiteral("ヘルプ(&H)"),
       {item("シート登録手順ガイドﾞ(&G)\tCtrl+G", cmd::Guide),
        item("発想マス目ノートの説明(&T)\tF1", cmd::Help), separator(),
        item("ホームページ(&W)", cmd::HomePage), item("バージョン情報(&A)", cmd::About)}},
  };
  return layout;
}

}  // namespace tgc
