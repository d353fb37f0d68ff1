// Dialog-unit metrics shared by both language modules, so that the English and the German
// wizard have the same geometry and every page fits the frame's page area exactly.
#ifndef LANG_LAYOUT_H
#define LANG_LAYOUT_H

#define WIZARD_WIDTH      330
#define WIZARD_HEIGHT     209
#define BANNER_HEIGHT     37
#define PAGE_TOP          BANNER_HEIGHT
#define PAGE_WIDTH        WIZARD_WIDTH
#define PAGE_HEIGHT       140
#define BUTTON_TOP        188
#define BUTTON_WIDTH      50
#define BUTTON_HEIGHT     14

// Pages keep their own margins inside the page area.
#define PAGE_LEFT         14
#define PAGE_INNER        302
#define PAGE_RIGHT        316

#define PAGE_STYLE        (DS_CONTROL | DS_SHELLFONT | WS_CHILD)
#define FRAME_STYLE       (DS_MODALFRAME | DS_SHELLFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX)

#endif
