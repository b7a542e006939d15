#include "marks/defaultcatalog.h"
#include "core/cp932literal.h"

#include <cstdlib>

namespace tgc {
namespace {

const DefaultMarkRow kRows[kDefaultMarkCount] = {
    {"□"_sj, "テーマ"_sj, "製品、道具、手法など"_sj, ""},
    {"！"_sj, "アイデア"_sj, "新しい組合せや方法など"_sj, ""},
    {"∴"_sj, "部分"_sj, "ex. 弁当箱 -> フタ"_sj, "1"},
    {"∩"_sj, "カテゴリ"_sj, "ex. コーヒー -> 嗜好品"_sj, "1"},
    {"△"_sj, "メリット"_sj, "ex. 手帳 -> 持ち運べる"_sj, "1"},
    {"▽"_sj, "デメリット"_sj, "ex. テーブル -> 重い"_sj, "1"},
    {"∫"_sj, "特徴"_sj, "ex. 毛布 -> やわらかい"_sj, "1"},
    {"√"_sj, "素材"_sj, "ex. 缶 -> アルミニウム"_sj, "1"},
    {"И"_sj, "色"_sj, "ex. 水 -> 透明"_sj, "1"},
    {"∠"_sj, "形状"_sj, "ex. フライパン -> 丸"_sj, "1"},
    {"∂"_sj, "利用者"_sj, "ex. 小説 -> 若者"_sj, "1"},
    {"⊥"_sj, "場所"_sj, "ex. 水着 -> 浜辺"_sj, "1"},
    {"Θ"_sj, "時期"_sj, "ex. 日傘 -> 夏"_sj, "1"},
    {"Ξ"_sj, "用途"_sj, "ex. やかん -> 湯を沸かす"_sj, "1"},
    {"≒"_sj, "類似"_sj, "ex. 電灯 -> ランタン"_sj, "2"},
    {"～"_sj, "連想"_sj, "ex. 気球 -> 空"_sj, "2"},
    {"⇔"_sj, "代用"_sj, "ex. チーズ -> 豆腐"_sj, "2"},
    {"∧"_sj, "増やす"_sj, "ex. 炭酸水 -> 泡を多くする"_sj, "2"},
    {"∨"_sj, "減らす"_sj, "ex. サイコロ -> 面を減らす"_sj, "2"},
    {"＋"_sj, "付け足す"_sj, "ex. 帽子 -> ポケット"_sj, "2"},
    {"－"_sj, "取り外す"_sj, "ex. 洗濯バサミ -> バネなし"_sj, "2"},
    {"∞"_sj, "逆転"_sj, "ex. 短い -> 長い"_sj, "2"},
    {"×"_sj, "複数"_sj, "ex. 鉛筆 -> ２本重ね"_sj, "2"},
    {"÷"_sj, "分割"_sj, "ex. タイヤ -> 半円状"_sj, "2"},
    {"±"_sj, "取替え"_sj, "ex. 椅子 -> 背もたれが柱時計"_sj, "2"},
    {"０"_sj, "ゼロベース"_sj, "ex. 建物 -> 空き地"_sj, "2"},
};

int attributeOf(const char* text) {
  return *text ? std::atoi(text) : AttrUnset;
}

}  // namespace

const DefaultMarkRow& defaultMarkRow(int row) {
  return kRows[row];
}

const DefaultMarkRow& systemMarkRow(int id) {
  return kRows[id == kIdeaMarkId ? 1 : 0];
}

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
