// The window's side of the seam: the panes are the current layout's text
// displays, the switches its menu items, the boxes go through g_Dialogs.
#pragma once

#include "command/seam.h"

class ClTextDisplay;
class Fl_Window;

class ClWindowPane : public ClPane {
 public:
  explicit ClWindowPane(ePANE ePane) : m_ePane(ePane) {}
  Fl_Text_Buffer* buffer() override;
  int insertPosition() const override;
  void setInsertPosition(int iPosition) override;
  void insert(const char* acText) override;
  void showInsertPosition() override;
  void show() override;
  void hide() override;

 private:
  ClTextDisplay* display() const;
  const ePANE m_ePane;
};

class ClWindowSeam : public ClSeam {
 public:
  ClPane& pane(ePANE ePane) override;
  ClPane& activePane() override;
  int outputMark() const override;
  void setOutputMark(int iMark) override;
  bool isOn(eSWITCH eSwitch) const override;
  void setOn(eSWITCH eSwitch, bool bOn) override;
  void alert(const std::string& sText) override;
  void message(const std::string& sText) override;
  int choice(const std::string& sQuestion, const char* acButton0, const char* acButton1) override;
  bool chooseFile(const char* acTitle, bool bSave, std::string& sName, bool& bError) override;
  bool stopRequested() override;
  void redraw() override;
  bool isFrontmost() const override;
  void hideAll() override;

 private:
  ClWindowPane m_Input{ePANE_INPUT};
  ClWindowPane m_Output{ePANE_OUTPUT};
};

extern ClWindowSeam g_Window_Seam;

// Routes every event: while a repetition polls for Escape, input is dropped;
// the line-command keys reach the keyboard handler before the focused pane.
int dispatchEvent(int iEvent, Fl_Window* pWindow);
