#pragma once
// Resource identifiers of the design-time pictures in the DLL, shared by the resource script
// and the code that loads them. Plain macros, as the resource compiler reads this file too.

// The cmd button's hand pointer, also the hidden hand image of the windows.
#define TESK_RES_HAND_CURSOR 101
// The standard windows' icon: 16 x 16 and 32 x 32 images.
#define TESK_RES_WINDOW_ICON 201
// The tall picture of the About window.
#define TESK_RES_ABOUT_PICTURE 202
// The banner of the technical-support window.
#define TESK_RES_SUPPORT_BANNER 203
// The square picture of the what's-new window.
#define TESK_RES_WHATS_NEW_PICTURE 204
