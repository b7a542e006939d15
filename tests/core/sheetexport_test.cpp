// Export of sheets: the outline of each sheet type in Markdown and OPML with
// escaping, the sheet selection and file naming, and the command's flow.
#include "core/sheetexport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <tuple>

#include "core/cp932literal.h"
#include "core/fileerror.h"
#include "core/outlineformats.h"
#include "core/sheetoutline.h"
#include "tests/support/fakes.h"
#include "tests/support/outlinebook.h"
#include "tests/support/tempdir.h"

namespace tgc {
namespace {

const std::vector<int> kAllThree = {0, 1, 2};

TEST(OutlineExport, MarkdownFollowsEachSheetTypeAndEscapesMarkup) {
  const WorkbookOutline outline = buildOutline(test::outlineWorkbook(), kAllThree, "テスト&帳");
  EXPECT_EQ(toMarkdown(outline),
            "# テスト\\&帳\n"
            "\n## 1. ボールペン\n\n"
            "- インク\n"
            "  - ！ **香り\\*付き**\n"
            "    > 一行目 \\& \\<b\\>\n"
            "    >\n"
            "    > 二行目 C:\\\\\\\n"
            "    > 三行目\n"
            "- 替え 芯\n"
            "- a\\_b \\[x\\](y)\n"
            "  - 1\\. 先頭\n"
            "- \\# 孤立\n"
            "\n## 2. ノート\n\n"
            "- 紙\n"
            "  - 再生紙\n"
            "  - 方眼\n"
            "- （素材）\n"
            "  - 厚い\n"
            "- ！ **方眼ノート**\n"
            "\n## 3. （テーマなし）\n\n"
            "- 色\n"
            "  - \\<増やす\\>\n"
            "- ！ **虹色**\n");
}

TEST(OutlineExport, TypeAWordHangsUnderTheWordBesideItBeforeOneAcrossACorner) {
  Workbook wb;
  fillDefaultCatalog(wb);
  wb.sheets.push_back(test::gridSheet(TypeA, 7));
  for (auto [c, r, text] :
       {std::tuple{2, 2, "弁当"_sj}, {2, 1, "フタ"_sj}, {1, 1, "保温"_sj}, {2, 0, "二重"_sj}})
    findBox(wb.sheets[0], c, r)->word = wb.addWord(text);
  // 二重 touches 保温 across a corner and sits right above フタ.
  EXPECT_EQ(toMarkdown(buildOutline(wb, {0}, "t")), "# t\n\n## 1. 弁当\n\n- 保温\n- フタ\n  - 二重\n");
}

TEST(OutlineExport, OpmlHoldsTheSameTreeWithMemosAsNotes) {
  const WorkbookOutline outline = buildOutline(test::outlineWorkbook(), {2, 0}, "テスト&帳");
  EXPECT_EQ(toOpml(outline),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<opml version=\"2.0\">\n"
            "  <head>\n"
            "    <title>テスト&amp;帳</title>\n"
            "  </head>\n"
            "  <body>\n"
            "    <outline text=\"3. （テーマなし）\">\n"
            "      <outline text=\"色\">\n"
            "        <outline text=\"&lt;増やす&gt;\"/>\n"
            "      </outline>\n"
            "      <outline text=\"！ 虹色\"/>\n"
            "    </outline>\n"
            "    <outline text=\"1. ボールペン\">\n"
            "      <outline text=\"インク\">\n"
            "        <outline text=\"！ 香り*付き\" _note=\"  一行目 &amp; &lt;b&gt;&#10;&#10;    二行目 "
            "C:\\&#10;三行目\"/>\n"
            "      </outline>\n"
            "      <outline text=\"替え 芯\"/>\n"
            "      <outline text=\"a_b [x](y)\">\n"
            "        <outline text=\"1. 先頭\"/>\n"
            "      </outline>\n"
            "      <outline text=\"# 孤立\"/>\n"
            "    </outline>\n"
            "  </body>\n"
            "</opml>\n");
}

TEST(OutlineExport, SheetSelectionAndNumberedFiles) {
  const struct {
    SheetSelection selection;
    std::vector<int> sheets;
  } kCases[] = {
      {{SheetScope::Current, 1, 1}, {4}},
      {{SheetScope::All, 1, 1}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
      {{SheetScope::Range, 3, 5}, {2, 3, 4}},
      {{SheetScope::Range, 5, 3}, {2, 3, 4}},   // given backwards
      {{SheetScope::Range, 11, 40}, {10, 11}},  // clamped to the workbook
  };
  for (const auto& c : kCases) EXPECT_EQ(selectedSheets(c.selection, 4, 12), c.sheets);
  EXPECT_TRUE(selectedSheets({SheetScope::All, 1, 1}, 0, 0).empty());

  EXPECT_EQ(numberedPath("/tmp/a.b/シート.png", 7, 120), "/tmp/a.b/シート-007.png");
  EXPECT_EQ(numberedPath("/tmp/a.b/sheet", 12, 12), "/tmp/a.b/sheet-12");
  EXPECT_EQ(numberedPath("x.png", 1000, 1000), "x-1000.png");
}

class FakeExportDialog : public ExportDialogPort {
 public:
  std::optional<ExportChoice> run(const ExportChoice& preset, int currentSheet, int sheetCount) override {
    presets.push_back(preset);
    shown = {currentSheet, sheetCount};
    return answer;
  }
  std::optional<ExportChoice> answer;
  std::vector<ExportChoice> presets;
  std::pair<int, int> shown;
};

class FakeImages : public SheetImagePort {
 public:
  std::optional<std::string> pdf(const std::vector<int>& sheets) override {
    if (!draws) return std::nullopt;
    return "pdf " + std::to_string(sheets.size());
  }
  std::optional<std::string> png(int sheet, int scale) override {
    return "png " + std::to_string(sheet) + " x" + std::to_string(scale);
  }
  bool draws = true;
};

std::string contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(OutlineExport, CommandAsksForTheFileOfTheFormatAndWritesIt) {
  test::Rig rig;
  test::TempDir dir;
  rig.w.wb() = test::outlineWorkbook();
  rig.w.wb().currentSheet = 1;
  rig.w.doc.fileTitle = "案";
  rig.w.doc.filePath = "/書類/案.tgc";
  rig.w.doc.hasFile = 1;
  FakeExportDialog dialog;
  FakeImages images;
  ExportState state{{}, &dialog, &images};

  // Markdown of all sheets: its filter, extension and name, then the file.
  dialog.answer = ExportChoice{ExportFormat::Markdown, {SheetScope::All, 1, 1}, 1};
  rig.ui.files.push_back(dir.path("out.md"));
  EXPECT_EQ(exportCommand(rig.w, state), 0);
  EXPECT_EQ(dialog.shown, (std::pair<int, int>{2, 3}));
  ASSERT_EQ(rig.ui.fileRequests.size(), 1u);
  EXPECT_EQ(rig.ui.fileRequests[0].filter, "Markdown(*.md)|*.md|全て(*.*)|*.*||"_sj);
  EXPECT_EQ(rig.ui.fileRequests[0].defaultExtension, "md");
  EXPECT_EQ(rig.ui.fileRequests[0].initialName, "/書類/案.md");  // beside the workbook
  std::ifstream in(dir.path("out.md"), std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}),
            toMarkdown(buildOutline(rig.w.wb(), kAllThree, "案")));
  EXPECT_EQ(rig.ui.texts(), std::vector<std::string>{"エクスポートが完了しました。"_sj});

  // PNG of a range: one numbered file per sheet; the choice is remembered.
  rig.ui.clearRecord();
  dialog.answer = ExportChoice{ExportFormat::Png, {SheetScope::Range, 3, 2}, 2};
  rig.ui.files.push_back(dir.path("s.png"));
  EXPECT_EQ(exportCommand(rig.w, state), 0);
  EXPECT_EQ(contents(dir.path("s-2.png")), "png 1 x2");
  EXPECT_EQ(contents(dir.path("s-3.png")), "png 2 x2");
  EXPECT_EQ(state.remembered, *dialog.answer);

  // Numbered files there already are asked about once; Cancel keeps them.
  rig.ui.clearRecord();
  dialog.answer->pngScale = 3;
  rig.ui.files.push_back(dir.path("s.png"));
  rig.ui.answers.push_back(Answer::Cancel);
  EXPECT_EQ(exportCommand(rig.w, state), 0);
  EXPECT_EQ(rig.ui.texts(), std::vector<std::string>{"同じ名前のファイルがあります。上書きしますか？\n"_sj +
                                                     pathForMessage(dir.path("s-2.png")) + "\nほか 1 件"_sj});
  EXPECT_EQ(contents(dir.path("s-3.png")), "png 2 x2");

  // A file that cannot be written, or pages that could not be drawn: a
  // warning naming the file and why, no completion.
  const std::string missing = dir.path("no-such-folder") + "/s.pdf";
  for (bool draws : {true, false}) {
    rig.ui.clearRecord();
    images.draws = draws;
    dialog.answer = ExportChoice{ExportFormat::Pdf, {SheetScope::Current, 1, 1}, 1};
    rig.ui.files.push_back(draws ? missing : dir.path("s.pdf"));
    EXPECT_EQ(exportCommand(rig.w, state), 1);
    EXPECT_EQ(rig.ui.texts(), std::vector<std::string>{fileFailureText("ファイルに書き込めませんでした。"_sj,
                                                                       draws ? missing : dir.path("s.pdf"),
                                                                       draws ? ENOENT : EIO)});
  }
  EXPECT_FALSE(std::filesystem::exists(dir.path("s.pdf")));
  EXPECT_EQ(dialog.presets.back().format, ExportFormat::Pdf);  // opened on the last choice

  // Cancelled in the dialog or in Save As: nothing written, nothing said.
  rig.ui.clearRecord();
  rig.ui.files.push_back(std::nullopt);
  EXPECT_EQ(exportCommand(rig.w, state), 0);
  dialog.answer.reset();
  EXPECT_EQ(exportCommand(rig.w, state), 0);
  EXPECT_EQ(rig.ui.fileRequests.size(), 1u);
  EXPECT_TRUE(rig.ui.messages.empty());
}

}  // namespace
}  // namespace tgc
