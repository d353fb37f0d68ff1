// Ids of the program's own resources: icons that pages and configurations name by number,
// and the finish picture.
#ifndef RES_RESIDS_H
#define RES_RESIDS_H

#define IDI_SETUP           1     // the program; also the window icon
#define IDI_UNINSTALL       2     // banner of the uninstaller; icon index 1 of the uninstall shortcut
#define IDI_UPDATE          3
#define IDI_PRODUCT         100
#define IDI_INFO            126
#define IDI_TERMINAL        250
#define IDI_TERMINAL3270    251
#define IDI_NETWORK         260
#define IDI_DOCUMENT        270
#define IDI_SCRIPT          280
#define IDI_SETTINGS        290
#define IDI_PRINTER         500
#define IDI_KEYBOARD        510
#define IDI_FOLDER          520
#define IDI_FOLDEROPEN      521
#define IDI_MAIL            550
#define IDI_MAILSEND        551

#define IDB_FINISH          2070  // pure red stands for the button face colour

#endif
