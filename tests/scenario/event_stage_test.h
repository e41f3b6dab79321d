// Story scenes built from small scripts written into a scratch folder and
// played frame by frame with scripted keys, on the real pictures.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>

#include "assets/temp_tree.h"
#include "battle/real_battle_test.h"
#include "battle/stage.h"
#include "field/unit.h"
#include "runtime/scene.h"
#include "scenario/event_strategy.h"
#include "ui/ui_test_support.h"

class EventStageTest : public RealBattleTest {
 protected:
  void SetUp() override {
    auto k = std::make_unique<CScriptedKeys>();
    keys = k.get();
    keyManager = std::move(k);
    titleSceneMaker = [this]() -> std::unique_ptr<CScene> {
      ++titlesMade;
      return nullptr;
    };
  }
  void TearDown() override {
    titleSceneMaker = nullptr;
    nextScene.reset();
    keyManager.reset();
  }

  // A script of one bundler with one sequence holding `events`.
  static std::string OneSequence(const std::string& events, const std::string& scriptAttributes = "") {
    return "<script " + scriptAttributes + "><bundler><sequence>" + events + "</sequence></bundler></script>";
  }
  // The knight's sheet standing at `grid`, tagged `tag`.
  static std::string Knight(const std::string& tag, SPoint grid, const char* direction = "LEFT") {
    return "<event type=\"AppendUnit\" name=\"" + tag + "\" unitTag=\"" + tag +
           "\" imagePath=\"dat/image/ziki/knight.png\" gridX=\"" + std::to_string(grid.x) + "\" gridY=\"" +
           std::to_string(grid.y) + "\" direction=\"" + direction + "\"/>";
  }
  std::string Write(const std::string& xml, const std::string& name = "scene.xml") {
    scripts.Write(name, xml);
    return scripts.Path(name);
  }
  std::unique_ptr<CStage> Scene(const std::string& xml, const std::string& name = "scene.xml") {
    return CreateEventStage(Write(xml, name));
  }
  static CStageStrategy_Event& Player(const CStage& stage) {
    return dynamic_cast<CStageStrategy_Event&>(*stage.GetStrategy());
  }
  // One frame of the scene; `draw` false leaves its pictures out.
  void Frame(CStage& stage, std::initializer_list<EGameKey> pushed = {}, bool draw = true) {
    keys->pushed = pushed;
    stage.ProcessInput();
    stage.Update();
    if (draw) stage.Draw();
    keys->pushed.clear();
  }
  void Frames(CStage& stage, int n) {
    for (int i = 0; i < n; ++i) Frame(stage);
  }

  CScriptedKeys* keys = nullptr;
  CTempTree scripts{"event_scripts"};
  int titlesMade = 0;
};
