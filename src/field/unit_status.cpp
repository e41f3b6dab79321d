#include "field/unit_status.h"

#include <stdexcept>
#include <string>

namespace {

constexpr const char* kStatusNames[STATUS_TYPE_COUNT] = {"HP", "MP", "STR", "VIT", "DEX", "AGI", "INT", "WT", "MOVE"};

}  // namespace

// clang-format off
constinit const SStatusTypeInfo statusTypeTable[STATUS_TYPE_COUNT] = {
  {"生命力", "生命力です。この値が0になると戦闘不能になります。"},
  {"精神力", "精神力です。スキルを使用する場合に必要になります。"},
  {"力",     "力です。武器攻撃のダメージに影響します。"},
  {"体力",   "体力です。武器攻撃に対するダメージを軽減します。"},
  {"器用さ", "器用さです。武器攻撃の命中率に影響します。"},
  {"素早さ", "素早さです。武器攻撃を避ける確率が上がります。"},
  {"知能",   "知能です。魔法での攻撃の際、及び受けた際のダメージに影響します。"},
  {"行動力", "行動力です。低いほど順番が早く回ってきます。"},
  {"移動力", "移動力です。高いほど移動できる距離が長くなります。"},
};

constinit const SExtStateInfo extStateTable[EXT_STATE_COUNT] = {
  {"毒",         "ui_parts/state_icon_poison.png"},
  {"行動力低下", "ui_parts/state_icon_slow.png"},
  {"行動力増加", "ui_parts/state_icon_fast.png"},
  {"移動力低下", "ui_parts/state_icon_move_down.png"},
  {"移動力増加", "ui_parts/state_icon_move_up.png"},
  {"挑発",       "ui_parts/state_icon_provocation.png"},
  {"集中",       "ui_parts/state_icon_concentrate.png"},
};
// clang-format on

const char* ToString(EStatusType status) {
  const int i = static_cast<int>(status);
  if (i < 0 || i >= STATUS_TYPE_COUNT) {
    throw std::runtime_error("unknown parameter number " + std::to_string(i));
  }
  return kStatusNames[i];
}

std::optional<EStatusType> TryParseStatusType(std::string_view text) {
  for (int i = 0; i < STATUS_TYPE_COUNT; ++i) {
    if (text == kStatusNames[i]) return static_cast<EStatusType>(i);
  }
  return std::nullopt;
}

EStatusType ParseStatusType(std::string_view text) {
  if (auto status = TryParseStatusType(text)) return *status;
  throw std::runtime_error("unknown parameter name \"" + std::string(text) +
                           "\" (HP, MP, STR, VIT, DEX, AGI, INT, WT or MOVE expected)");
}

const SExtStateInfo& GetExtStateInfo(EExtState state) {
  const int i = static_cast<int>(state);
  if (i < 0 || i >= EXT_STATE_COUNT) {
    throw std::runtime_error("unknown status effect number " + std::to_string(i));
  }
  return extStateTable[i];
}
