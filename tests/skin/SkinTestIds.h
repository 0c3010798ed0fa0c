#pragma once
// Resources of the skin tests: their own pictures and dialogs, so that the
// tests do not depend on the program's artwork.
#define IDB_FACE_NORMAL 300
#define IDB_FACE_DOWN 301
#define IDB_FACE_OVER 302
#define IDB_FACE_FOCUS 303
#define IDB_FACE_MASK 304
#define IDB_MISSING 399

#define IDD_PLAIN 400
#define IDD_EDITS 410
#define IDC_EDIT_INPUT 411
#define IDC_EDIT_READONLY 412
#define IDC_EDIT_FREE 413
#define IDD_BUTTONS 420
#define IDC_PUSH 421
#define IDC_CHECK 422
#define IDC_RADIO1 423
#define IDC_RADIO2 424
#define IDC_RADIO3 425
#define IDC_GROUP_EDIT 426
#define IDC_AFTER_GROUP 427
#define IDD_KINDS 440
#define IDC_KIND_PUSH 441
#define IDC_KIND_DEFPUSH 442
#define IDC_KIND_CHECKBOX 443
#define IDC_KIND_AUTOCHECKBOX 444
#define IDC_KIND_RADIO 445
#define IDC_KIND_3STATE 446
#define IDC_KIND_AUTO3STATE 447
#define IDC_KIND_GROUPBOX 448
#define IDC_KIND_AUTORADIO 449
#define IDC_KIND_OWNERDRAW 450
