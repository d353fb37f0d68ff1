// Ids of the language modules' strings, dialog templates and controls.
// Plain #defines only: windres reads this file as well as the C++ compiler.
#ifndef LANG_LANGIDS_H
#define LANG_LANGIDS_H

// Strings
#define IDS_SETUP_CAPTION           2900  // "Ombix" in it is replaced by AppName in the wizard caption
#define IDS_UNINSTALL_CAPTION       2901  // "Ombix" in it is replaced by the uninstalled product's name
#define IDS_DIR_TITLE               2902  // also the prompt of the folder picker
#define IDS_DIR_SUBTITLE            2903
#define IDS_LICENSE_TITLE           2904
#define IDS_LICENSE_SUBTITLE        2905
#define IDS_COPY_TITLE              2906
#define IDS_COPY_SUBTITLE           2907
#define IDS_COPY_RUNNING            2909
#define IDS_COPY_DONE               2911
#define IDS_WELCOME_TITLE           2912  // the product title is appended directly
#define IDS_WELCOME_SUBTITLE        2913
#define IDS_ADV_TITLE               2914  // "$PROG": AppName
#define IDS_ADV_SUBTITLE            2915  // "$PROG": the advertised product
#define IDS_STARTMENU_TITLE         2916
#define IDS_STARTMENU_SUBTITLE      2917
#define IDS_FINISH_TITLE            2918
#define IDS_FINISH_SUBTITLE         2919  // "$PROG": AppName
#define IDS_DATAFOLDER_TITLE        2920
#define IDS_DATAFOLDER_SUBTITLE     2921
#define IDS_USAGE_TITLE             2922
#define IDS_USAGE_SUBTITLE          2923
#define IDS_UNINST_WELCOME_TITLE    2932
#define IDS_UNINST_WELCOME_SUBTITLE 2933
#define IDS_UNINST_OPTIONS_TITLE    2934
#define IDS_UNINST_OPTIONS_SUBTITLE 2935
#define IDS_UNINST_REMOVE_TITLE     2936
#define IDS_UNINST_REMOVE_SUBTITLE  2937
#define IDS_UNINST_DONE_TITLE       2938
#define IDS_UNINST_DONE_ALL         2939
#define IDS_TRANSFER_QUESTION       2950  // printf format, one "%s": the earlier program folder
#define IDS_USAGE_LIST              2951  // entries of the usage-type list, separated by "|"
#define IDS_LANGUAGE_SUFFIX         2980  // suffix of language-specific configuration keys
#define IDS_ERR_ACTIVESYNC          2983
#define IDS_LICENSE_LANGUAGE        2984  // 49 German, 12 French, anything else English
#define IDS_ERR_NOCONFIG            2985
#define IDS_ERR_NODAO               2986
#define IDS_LEAVE_SETUP             2987  // Yes goes on with the installation, No leaves
#define IDS_COPY_RETRY              2988  // "$FILE", "$PROGRAM"; Yes retries
#define IDS_UNINST_QUESTION         2989  // "$PROGRAM"; Yes removes
#define IDS_OVERWRITE_QUESTION      2992  // printf format, one "%s": the file; Yes replaces
#define IDS_OVERWRITE_TITLE         2993
#define IDS_FINAL_TEXT              2994  // "$PROGRAM"
#define IDS_FEEDBACK_CAPTION        2995  // the part before the first "|" is the caption
#define IDS_LEAVE_UNINSTALL         2997  // Yes goes on with the removal, No leaves
#define IDS_UNINSTALL_SHORTCUT      2998  // "$PROGRAM"; a file name
#define IDS_FINISH_BUTTON           3000
#define IDS_REMOVEALL_CONFIRM1      3008  // "$PROGRAM"; 3009 follows directly
#define IDS_REMOVEALL_CONFIRM2      3009  // "$DIR"
#define IDS_REMOVEDATA_CONFIRM1     3010  // "$PROGRAM", "$DIR"; 3011 follows directly
#define IDS_REMOVEDATA_CONFIRM2     3011
#define IDS_DIR_HINT_V5             3013
#define IDS_DIR_HINT_V6             3014
#define IDS_ADMIN_PRINTER_ADDED     3300
#define IDS_ADMIN_PRINTER_REMOVED   3301
#define IDS_REG_WRITE_FAILED        3302
#define IDS_REG_WRITE_DONE          3303
#define IDS_DEFAULT_CAPTION         10001

// Dialog templates
#define IDD_WIZARD                  10702
#define IDD_WELCOME                 2001
#define IDD_DIR                     2002
#define IDD_LICENSE                 2003
#define IDD_COPY                    2004
#define IDD_STARTMENU               2005
#define IDD_ADV                     2006
#define IDD_FINISH                  2009
#define IDD_DATAFOLDER              2010
#define IDD_USAGE                   2011
#define IDD_UNINST_WELCOME          2013
#define IDD_UNINST_OPTIONS          2014
#define IDD_UNINST_REMOVE           2015
#define IDD_MAIL                    2090

#ifndef IDC_STATIC
#define IDC_STATIC                  (-1)
#endif

// Wizard frame (10702)
#define IDC_CANCEL                  2
#define IDC_BACK                    148
#define IDC_NEXT                    149
#define IDC_BANNER_TITLE            666
#define IDC_BANNER_SUBTITLE         667
#define IDC_PAGE_AREA               914
#define IDC_BANNER_AREA             915
#define IDC_BANNER_ICON             916
#define IDC_FRAME_BRAND             901   // hidden when the wizard is created

// Welcome (2001)
#define IDC_WELCOME_NEW             401
#define IDC_WELCOME_SAME            402
#define IDC_WELCOME_UPDATE          403

// Installation folder (2002)
#define IDC_DIR_BROWSE              101
#define IDC_DIR_EDIT                201
#define IDC_DIR_HINT                202

// Licence (2003)
#define IDC_LICENSE_PRINT           101
#define IDC_LICENSE_TEXT            201
#define IDC_LICENSE_ACCEPT          301

// Copy (2004)
#define IDC_COPY_STATUS             201
#define IDC_COPY_PROGRESS           901   // placeholder, replaced by the progress bar

// Start menu (2005)
#define IDC_STARTMENU_USER          401
#define IDC_STARTMENU_ALLUSERS      402
#define IDC_STARTMENU_NONE          403
#define IDC_STARTMENU_DESKTOP       301

// Advertisement (2006)
#define IDC_ADV_LINK                101
#define IDC_ADV_DESCRIPTION         201
#define IDC_ADV_TEASER1             650
#define IDC_ADV_TEASER2             651

// Finish (2009)
#define IDC_FINISH_TEXT             651
#define IDC_FINISH_PICTURE          2070

// Data folder (2010)
#define IDC_DATAFOLDER_BROWSE       101
#define IDC_DATAFOLDER_EDIT         201
#define IDC_DATAFOLDER_PROFILE      401   // text holds "$(PATH)"
#define IDC_DATAFOLDER_PROGRAM      402   // the folder is appended in parentheses
#define IDC_DATAFOLDER_ALLUSERS     403
#define IDC_DATAFOLDER_CUSTOM       404
#define IDC_DATAFOLDER_APPDATA      405

// Usage type (2011)
#define IDC_USAGE_TYPE1             401
#define IDC_USAGE_TYPE2             402
#define IDC_USAGE_TYPE3             403
#define IDC_USAGE_TYPE4             404
#define IDC_USAGE_TYPE5             405
#define IDC_USAGE_LIST              501

// Uninstall welcome (2013)
#define IDC_UNINST_SEND             110
#define IDC_UNINST_COMMENT          202

// Uninstall options (2014)
#define IDC_UNINST_KEEP             401
#define IDC_UNINST_REMOVEALL        402

// Removal (2015)
#define IDC_REMOVE_TEXT             201
#define IDC_REMOVE_TEXTALL          202   // hidden at first
#define IDC_REMOVE_PROGRESS         901   // placeholder, replaced by the progress bar

// Feedback mail (2090)
#define IDC_MAIL_TO                 1001
#define IDC_MAIL_FROM               1002
#define IDC_MAIL_SUBJECT            1003
#define IDC_MAIL_BODY               1004
#define IDC_MAIL_STATUS             1005
#define IDC_MAIL_SEND               1009

#endif
