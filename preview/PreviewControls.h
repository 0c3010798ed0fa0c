#pragma once
// The controls of the preview of rendered frames, by id, as the window and
// the tests that drive it know them.

// The hologram's columns of the frame shown; the pointer and the keys walk past it.
#define IDC_PREVIEW_PICTURE 1001
// "Frame 17 of 2000: frame_0017.png"
#define IDC_PREVIEW_FRAME 1002
// One mark per frame, sound, suspect or bad; a click goes to that frame.
#define IDC_PREVIEW_BAR 1003
// The check's summary line, read-only.
#define IDC_PREVIEW_SUMMARY 1004
// While the check runs.
#define IDC_PREVIEW_PROGRESS 1005
#define IDC_PREVIEW_CANCEL 1006
// Puts "-f " and the frames to render again on the clipboard.
#define IDC_PREVIEW_COPY_LIST 1007
