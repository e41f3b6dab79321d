// The camp between battles: choose the next map and the units that go,
// spend skill points on parameters, buy skills with the party's money, and
// save to one of the 16 slots. It is left only by starting a battle.
#pragma once

#include <memory>
#include <vector>

#include "gfx/draw_data.h"
#include "runtime/scene.h"
#include "runtime/step_slot.h"
#include "ui/gui_manager.h"

class CDialog;

class CSceneCamp : public CScene {
 public:
  // One step of the camp; it replaces itself through the scene.
  class CStrategy {
   public:
    explicit CStrategy(CSceneCamp& scene_) : scene(&scene_) {}
    virtual ~CStrategy() = default;
    CStrategy(const CStrategy&) = delete;
    CStrategy& operator=(const CStrategy&) = delete;
    virtual void Draw() = 0;
    virtual void Update() = 0;
    virtual void ProcessInput() = 0;

   protected:
    CSceneCamp* scene;
  };

  CSceneCamp();
  ~CSceneCamp() override;

  void Update() override;
  void ProcessInput() override;
  void Draw() override;
  // The money window shows saveData.money again.
  virtual void RefreshMoney();

  // The next step takes over at once; the old one lives until the next frame.
  void SetStrategy(std::unique_ptr<CStrategy> next);
  CStrategy* GetStrategy() const { return strategy.Get(); }
  CGuiManager& GetMainManager() { return mainManager; }
  CGuiManager& GetMoneyManager() { return moneyManager; }
  CDialog* GetRootDialog() const { return rootDialog; }
  CDialog* GetMoneyDialog() const { return moneyDialog; }

 private:
  SDrawData background;
  CGuiManager mainManager;
  CDialog* rootDialog = nullptr;  // owned by mainManager
  CGuiManager moneyManager;
  CDialog* moneyDialog = nullptr;  // owned by moneyManager
  CStepSlot<CStrategy> strategy;
};
