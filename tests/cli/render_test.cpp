// End-to-end runs of `tgc export --format markdown|opml` and `tgc render`,
// read back by independent tools: cmark (the CommonMark reference), xmllint,
// and poppler's pdfinfo and pdftotext.
#include <gtest/gtest.h>

#include "core/outlineformats.h"
#include "core/workbookfile.h"
#include "tests/cli/tgctest.h"
#include "tests/support/outlinebook.h"

namespace tgc {
namespace {

class TgcRender : public test::TgcTest {
 protected:
  void SetUp() override { book = write("テスト&帳.tgc", serializeWorkbook(test::outlineWorkbook())); }

  // Runs a shell command and returns its standard output.
  std::string shell(const std::string& command) {
    const std::string out = path("shell.txt");
    EXPECT_EQ(std::system((command + " >" + quote(out)).c_str()), 0) << command;
    return read(out);
  }

  // The page count pdfinfo reads.
  int pages(const std::string& pdf) {
    const std::string info = shell("pdfinfo " + quote(pdf));
    const size_t at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + 6);
  }

  std::string book;
};

TEST_F(TgcRender, MarkdownRendersAsWrittenAndOpmlParses) {
  const std::string md = path("out.md"), opml = path("out.opml");
  ToolRun r = tgc("export " + quote(book) + " --format markdown -o " + quote(md));
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(read(md), toMarkdown(buildOutline(test::outlineWorkbook(), {0, 1, 2}, "テスト&帳")));
  // What a CommonMark reader makes of it: every word as typed, nested lists,
  // the memo quoted inside its idea.
  const std::string html = shell("cmark " + quote(md));
  for (const char* part : {
           "<h1>テスト&amp;帳</h1>\n<h2>1. ボールペン</h2>\n<ul>\n<li>インク\n<ul>\n"
           "<li>！ <strong>香り*付き</strong>\n<blockquote>\n<p>一行目 &amp; &lt;b&gt;</p>\n<p>二行目 "
           "C:\\<br />\n三行目</p>\n"
           "</blockquote>\n</li>\n</ul>\n</li>\n<li>替え 芯</li>\n<li>a_b [x](y)\n<ul>\n<li>1. 先頭</li>\n"
           "</ul>\n</li>\n<li># 孤立</li>\n</ul>\n",
           "<h2>2. ノート</h2>\n<ul>\n<li>紙\n<ul>\n<li>再生紙</li>\n<li>方眼</li>\n</ul>\n</li>\n"
           "<li>（素材）\n<ul>\n<li>厚い</li>\n</ul>\n</li>\n<li>！ "
           "<strong>方眼ノート</strong></li>\n</ul>\n",
           "<h2>3. （テーマなし）</h2>\n<ul>\n<li>色\n<ul>\n<li>&lt;増やす&gt;</li>\n</ul>\n</li>\n"
           "<li>！ <strong>虹色</strong></li>\n</ul>\n",
       })
    EXPECT_NE(html.find(part), std::string::npos) << html;

  r = tgc("export " + quote(book) + " --format opml -o " + quote(opml));
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(shell("xmllint --xpath 'count(//body//outline)' " + quote(opml)), "18\n");
  EXPECT_EQ(shell("xmllint --xpath 'string(//outline[@_note]/@text)' " + quote(opml)), "！ 香り*付き\n");
  EXPECT_EQ(shell("xmllint --xpath 'string(//outline/@_note)' " + quote(opml)),
            "  一行目 & <b>\n\n    二行目 C:\\\n三行目\n");

  // The kind belongs to the text output only.
  EXPECT_EQ(tgc("export " + quote(book) + " --kind ideas --format opml -o " + quote(opml)).code, 2);
  EXPECT_EQ(tgc("export " + quote(book) + " --format csv -o " + quote(opml)).code, 2);
}

TEST_F(TgcRender, PdfHasAPagePerSheetWithItsWordsAsText) {
  const std::string pdf = path("out.pdf");
  ToolRun r = tgc("render " + quote(book) + " -o " + quote(pdf));
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(pages(pdf), 3);
  std::string text = shell("pdftotext -layout " + quote(pdf) + " -");
  for (const char* word : {"ボールペン", "香り*付き", "a_b [x](y)", "方眼ノート", "虹色", "<増やす>",
                           "ThoughtGridCraft Type-C", "テスト&帳", "No. 3 / 3"})
    EXPECT_NE(text.find(word), std::string::npos) << word << "\n" << text;

  r = tgc("render " + quote(book) + " --sheet 2 -o " + quote(pdf));
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(pages(pdf), 1);
  text = shell("pdftotext " + quote(pdf) + " -");
  EXPECT_NE(text.find("方眼ノート"), std::string::npos) << text;
  EXPECT_EQ(text.find("ボールペン"), std::string::npos) << text;
}

TEST_F(TgcRender, PngOfOneSheetAtAScaleAndTheUsageErrors) {
  const std::string png = path("out.png");
  const ToolRun r = tgc("render " + quote(book) + " --sheet 3 --scale 2 -o " + quote(png));
  ASSERT_EQ(r.code, 0) << r.err;
  // Width and height from the PNG header: twice the 968 x 674 sheet.
  const std::string bytes = read(png);
  ASSERT_GT(bytes.size(), 24u);
  auto be32 = [&](size_t at) {
    return (unsigned char)bytes[at] << 24 | (unsigned char)bytes[at + 1] << 16 |
           (unsigned char)bytes[at + 2] << 8 | (unsigned char)bytes[at + 3];
  };
  EXPECT_EQ(bytes.substr(1, 3), "PNG");
  EXPECT_EQ(be32(16), 1936);
  EXPECT_EQ(be32(20), 1348);

  EXPECT_EQ(tgc("render " + quote(book) + " -o " + quote(path("out.txt"))).code, 2);
  EXPECT_EQ(tgc("render " + quote(book) + " --scale 2 -o " + quote(path("x.pdf"))).code, 2);
  EXPECT_EQ(tgc("render " + quote(book) + " --scale 4 -o " + quote(png)).code, 2);
  EXPECT_EQ(tgc("render " + quote(book) + " --sheet 4 -o " + quote(png)).code, 1);
  EXPECT_EQ(tgc("render " + quote(path("missing.tgc")) + " -o " + quote(png)).code, 1);
  const std::string unwritable = path("no-folder") + "/x.png";
  const ToolRun failed = tgc("render " + quote(book) + " -o " + quote(unwritable));
  EXPECT_EQ(failed.code, 1);
  EXPECT_EQ(failed.err, unwritable + ": 書き込み: ファイルまたはフォルダーが見つかりません。\n");
}

}  // namespace
}  // namespace tgc
