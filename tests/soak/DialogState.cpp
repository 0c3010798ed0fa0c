#include "DialogState.h"

#include <cstdlib>

#include "RenderCalculator.h"
#include "RenderTexts.h"

namespace {

constexpr int kOutlineIds[] = {IDC_FRAME_PORTRAIT, IDC_FRAME_LANDSCAPE, IDC_FRAME_SQUARE};

std::string ToUtf8(const std::wstring& text) {
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string utf8(size > 0 ? size - 1 : 0, '\0');
  if (size > 1) ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8.data(), size, nullptr, nullptr);
  return utf8;
}

std::wstring FromUtf8(const std::string& text) {
  const int size = ::MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
  std::wstring wide(size > 0 ? size - 1 : 0, L'\0');
  if (size > 1) ::MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, wide.data(), size);
  return wide;
}

// In long texts only the ends matter to a reader.
std::string Quoted(const std::wstring& text) {
  std::string utf8 = ToUtf8(text);
  if (utf8.size() > 60) utf8 = utf8.substr(0, 25) + "..." + utf8.substr(utf8.size() - 25);
  return "'" + utf8 + "'";
}

std::wstring FieldText(HWND dialog, int id) {
  HWND field = ::GetDlgItem(dialog, id);
  std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(field)) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(field, text.data(), static_cast<int>(text.size()))));
  return text;
}

// Digits with at most one dot, and not a dot alone: what the number filter
// lets stay in an input field.
bool PassesNumberFilter(const std::wstring& text) {
  int dots = 0;
  for (wchar_t c : text) {
    if (c == L'.')
      ++dots;
    else if (c < L'0' || c > L'9')
      return false;
  }
  return dots <= 1 && text != L".";
}

std::string CheckInput(const DialogState& state, int id, const char* name) {
  const auto found = state.texts.find(id);
  if (found == state.texts.end()) return std::string("no text for the ") + name + " field";
  const std::wstring& text = found->second;
  if (text.empty()) return std::string("the ") + name + " field is empty";
  if (!PassesNumberFilter(text)) return std::string("the ") + name + " field holds " + Quoted(text);
  if (InputMillimetres(text) == 0) return std::string("the ") + name + " field holds " + Quoted(text) + ", read as 0";
  return "";
}

// The one ticked box's mode, or -1 (with the reason in problem) when not one.
int TickedMode(const DialogState& state, std::string& problem) {
  int mode = -1;
  int ticked = 0;
  for (int i = 0; i < 4; ++i) {
    const auto found = state.checked.find(IDC_CHECK_MODE0 + i);
    if (found == state.checked.end()) {
      problem = "no check state for box " + std::to_string(IDC_CHECK_MODE0 + i);
      return -1;
    }
    if (found->second) {
      mode = i;
      ++ticked;
    }
  }
  if (ticked == 1) return mode;
  problem = std::to_string(ticked) + " frame-step boxes are ticked";
  return -1;
}

int ExpectedOutline(Aspect aspect) {
  if (aspect == Aspect::Landscape) return IDC_FRAME_LANDSCAPE;
  if (aspect == Aspect::Square) return IDC_FRAME_SQUARE;
  return IDC_FRAME_PORTRAIT;
}

std::map<int, std::wstring> ExpectedTexts(const RenderTexts& texts) {
  return {{IDC_EDIT_FOV, FromUtf8(texts.strFov)},
          {IDC_EDIT_IMAGE_HEIGHT, FromUtf8(texts.strImageHeight)},
          {IDC_EDIT_IMAGE_WIDTH, FromUtf8(texts.strImageWidth)},
          {IDC_EDIT_FRAMES1, FromUtf8(texts.strFrames[0])},
          {IDC_EDIT_FRAMES2, FromUtf8(texts.strFrames[1])},
          {IDC_EDIT_FRAMES4, FromUtf8(texts.strFrames[2])},
          {IDC_EDIT_FRAMES8, FromUtf8(texts.strFrames[3])},
          {IDC_EDIT_TRACK, FromUtf8(texts.strTrackLength)},
          {IDC_EDIT_TRACK_START, FromUtf8(texts.strTrackStart)},
          {IDC_EDIT_TRACK_END, FromUtf8(texts.strTrackEnd)},
          {IDC_EDIT_DISTANCE, FromUtf8(texts.strDistance)}};
}

std::string CheckResults(const DialogState& state, const RenderSetup& setup) {
  const RenderResult result = CalculateRendering(setup);
  for (const auto& [id, want] : ExpectedTexts(FormatRenderTexts(setup, result))) {
    const auto found = state.texts.find(id);
    const std::wstring got = found == state.texts.end() ? L"<missing>" : found->second;
    if (got != want) return "field " + std::to_string(id) + " shows " + Quoted(got) + ", not " + Quoted(want);
  }
  const int shown = ExpectedOutline(result.eAspect);
  for (int id : kOutlineIds) {
    const auto found = state.visible.find(id);
    const bool visible = found != state.visible.end() && found->second;
    if (visible != (id == shown))
      return "outline " + std::to_string(id) + (visible ? " shows" : " is hidden") + " for a " +
             std::to_string(setup.nWidthMm) + " x " + std::to_string(setup.nHeightMm) + " hologram";
  }
  return "";
}

}  // namespace

DialogState ReadDialogState(HWND dialog) {
  DialogState state;
  for (int id : kCalculatorFieldIds) state.texts[id] = FieldText(dialog, id);
  for (int id = IDC_CHECK_MODE0; id <= IDC_CHECK_MODE3; ++id)
    state.checked[id] = ::IsDlgButtonChecked(dialog, id) == BST_CHECKED;
  for (int id : kOutlineIds) state.visible[id] = ::IsWindowVisible(::GetDlgItem(dialog, id)) != FALSE;
  return state;
}

DialogState ParseProbeState(std::istream& lines) {
  DialogState state;
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const size_t dot = line.find('.');
    const size_t equals = line.find('=');
    if (dot == std::string::npos || equals == std::string::npos || dot > equals) continue;
    const std::string kind = line.substr(0, dot);
    const int id = std::atoi(line.substr(dot + 1, equals - dot - 1).c_str());
    const std::string value = line.substr(equals + 1);
    if (kind == "text")
      state.texts[id] = FromUtf8(value);
    else if (kind == "check")
      state.checked[id] = value == "1";
    else if (kind == "visible")
      state.visible[id] = value == "1";
  }
  return state;
}

std::string FindInconsistency(const DialogState& state) {
  std::string problem = CheckInput(state, IDC_EDIT_WIDTH, "width");
  if (problem.empty()) problem = CheckInput(state, IDC_EDIT_HEIGHT, "height");
  if (!problem.empty()) return problem;
  const int mode = TickedMode(state, problem);
  if (mode < 0) return problem;

  RenderSetup setup;
  setup.nWidthMm = InputMillimetres(state.texts.at(IDC_EDIT_WIDTH));
  setup.nHeightMm = InputMillimetres(state.texts.at(IDC_EDIT_HEIGHT));
  setup.nMode = static_cast<RenderMode>(mode);
  return CheckResults(state, setup);
}

int InputMillimetres(const std::wstring& text) { return _wtoi(text.c_str()); }
