#include "marks/defaultcatalog.h"

#include <cstdlib>

namespace tgc {
namespace {

const DefaultMarkRow kRows[kDefaultMarkCount] = {
    {"□", "テーマ", "製品、道具、手法など", ""},
    {"！", "アイデア", "新しい組合せや方法など", ""},
    {"∴", "部分", "ex. 弁当箱 -> フタ", "1"},
    {"∩", "カテゴリ", "ex. コーヒー -> 嗜好品", "1"},
    {"△", "メリット", "ex. 手帳 -> 持ち運べる", "1"},
    {"▽", "デメリット", "ex. テーブル -> 重い", "1"},
    {"∫", "特徴", "ex. 毛布 -> やわらかい", "1"},
    {"√", "素材", "ex. 缶 -> アルミニウム", "1"},
    {"И", "色", "ex. 水 -> 透明", "1"},
    {"∠", "形状", "ex. フライパン -> 丸", "1"},
    {"∂", "利用者", "ex. 小説 -> 若者", "1"},
    {"⊥", "場所", "ex. 水着 -> 浜辺", "1"},
    {"Θ", "時期", "ex. 日傘 -> 夏", "1"},
    {"Ξ", "用途", "ex. やかん -> 湯を沸かす", "1"},
    {"≒", "類似", "ex. 電灯 -> ランタン", "2"},
    {"～", "連想", "ex. 気球 -> 空", "2"},
    {"⇔", "代用", "ex. チーズ -> 豆腐", "2"},
    {"∧", "増やす", "ex. 炭酸水 -> 泡を多くする", "2"},
    {"∨", "減らす", "ex. サイコロ -> 面を減らす", "2"},
    {"＋", "付け足す", "ex. 帽子 -> ポケット", "2"},
    {"－", "取り外す", "ex. 洗濯バサミ -> バネなし", "2"},
    {"∞", "逆転", "ex. 短い -> 長い", "2"},
    {"×", "複数", "ex. 鉛筆 -> ２本重ね", "2"},
    {"÷", "分割", "ex. タイヤ -> 半円状", "2"},
    {"±", "取替え", "ex. 椅子 -> 背もたれが柱時計", "2"},
    {"０", "ゼロベース", "ex. 建物 -> 空き地", "2"},
};

int attributeOf(const char* text) { return *text ? std::atoi(text) : AttrUnset; }

}  // namespace

const DefaultMarkRow& defaultMarkRow(int row) { return kRows[row]; }

const DefaultMarkRow& systemMarkRow(int id) { return kRows[id == kIdeaMarkId ? 1 : 0]; }

CatalogMark systemMark(int id) {
  const DefaultMarkRow& r = systemMarkRow(id);
  return CatalogMark{id, r.glyph, r.name, r.note, 0, 0, AttrUnset, 1};
}

void fillDefaultCatalog(Workbook& wb) {
  wb.marks.clear();
  for (int i = 0; i < kDefaultMarkCount; ++i) {
    const DefaultMarkRow& r = kRows[i];
    wb.marks.push_back(CatalogMark{i, r.glyph, r.name, r.note, 0, 0, attributeOf(r.attribute), 0});
  }
}

}  // namespace tgc
