#pragma once
// Random work for the calculator window, the kind a long session brings:
// keys typed at random caret positions, pastes, emptied fields, frame-step
// clicks and repaints, all sent as the window's own messages. The same seed
// gives the same run.
#include <windows.h>

#include <random>
#include <string>

class RandomOperations {
 public:
  RandomOperations(HWND dialog, unsigned seed);

  // Writes every kind of text the run will use into both inputs and repaints.
  // The platform fills caches that it keeps the first time it lays out or
  // draws a script or a glyph; that should happen before a baseline is taken.
  void ShowEveryKindOfText();

  // Applies one operation and says what it was, for a failure report.
  std::string ApplyOne();

 private:
  std::string TypeCharacter();
  std::string Paste();
  std::string ClearField();
  std::string ClickFrameStep();
  std::string Repaint();
  std::string PumpQueue();

  int Uniform(int low, int high);
  template <typename T, size_t N>
  const T& Pick(const T (&items)[N]) {
    return items[Uniform(0, static_cast<int>(N) - 1)];
  }
  HWND RandomInput(std::string& name);
  std::string SelectRandomly(HWND edit);
  std::wstring RandomPasteText();
  std::wstring Digits(int count);

  HWND m_hDialog;
  std::mt19937 m_random;
};
