// Command and control identifiers of the whole program, one name per id.
#pragma once

namespace morvale {

using UINT = unsigned int;

// Platform-standard file, edit, view, window and help commands.
inline constexpr UINT ID_FILE_NEW = 57600;
inline constexpr UINT ID_FILE_OPEN = 57601;
inline constexpr UINT ID_FILE_CLOSE = 57602;
inline constexpr UINT ID_FILE_SAVE = 57603;
inline constexpr UINT ID_FILE_SAVE_AS = 57604;
inline constexpr UINT ID_FILE_PAGE_SETUP = 57605;
inline constexpr UINT ID_FILE_PRINT_SETUP = 57606;
inline constexpr UINT ID_FILE_PRINT = 57607;
inline constexpr UINT ID_FILE_PRINT_DIRECT = 57608;
inline constexpr UINT ID_FILE_PRINT_PREVIEW = 57609;
inline constexpr UINT ID_FILE_MRU_FIRST = 57616;  // ID_FILE_MRU_FILE1
inline constexpr UINT ID_FILE_MRU_LAST = 57631;   // ID_FILE_MRU_FILE16
inline constexpr UINT ID_EDIT_CLEAR = 57632;
inline constexpr UINT ID_EDIT_CLEAR_ALL = 57633;
inline constexpr UINT ID_EDIT_COPY = 57634;
inline constexpr UINT ID_EDIT_CUT = 57635;
inline constexpr UINT ID_EDIT_FIND = 57636;
inline constexpr UINT ID_EDIT_PASTE = 57637;
inline constexpr UINT ID_EDIT_REPEAT = 57640;
inline constexpr UINT ID_EDIT_REPLACE = 57641;
inline constexpr UINT ID_EDIT_SELECT_ALL = 57642;
inline constexpr UINT ID_EDIT_UNDO = 57643;
inline constexpr UINT ID_EDIT_REDO = 57644;
inline constexpr UINT ID_WINDOW_SPLIT = 57653;
inline constexpr UINT ID_APP_ABOUT = 57664;
inline constexpr UINT ID_APP_EXIT = 57665;
inline constexpr UINT ID_HELP_GUIDE = 57670;  // the platform's help command, on F1
inline constexpr UINT ID_NEXT_PANE = 57680;
inline constexpr UINT ID_PREV_PANE = 57681;
inline constexpr UINT ID_VIEW_TOOLBAR = 59392;     // also the child id of both toolbars
inline constexpr UINT ID_VIEW_STATUS_BAR = 59393;  // also the child id of the status bar
inline constexpr UINT AFX_IDS_SCSIZE = 61184;
inline constexpr UINT AFX_IDS_SCMOVE = 61185;
inline constexpr UINT AFX_IDS_SCMINIMIZE = 61186;
inline constexpr UINT AFX_IDS_SCMAXIMIZE = 61187;
inline constexpr UINT AFX_IDS_SCNEXTWINDOW = 61188;
inline constexpr UINT AFX_IDS_SCPREVWINDOW = 61189;
inline constexpr UINT AFX_IDS_SCCLOSE = 61190;
inline constexpr UINT AFX_IDS_SCRESTORE = 61202;
inline constexpr UINT AFX_IDS_SCTASKLIST = 61203;
inline constexpr UINT AFX_IDS_PREVIEW_CLOSE = 61445;

// String resources.
inline constexpr UINT AFX_IDS_APP_TITLE = 57344;    // "Morvale1"
inline constexpr UINT AFX_IDS_IDLEMESSAGE = 57345;  // "Bereit"

// Resources.
inline constexpr UINT IDD_ABOUTBOX = 100;
inline constexpr UINT IDR_MAINFRAME = 128;
inline constexpr UINT IDR_MORVALTYPE = 129;
inline constexpr UINT IDD_JULIA_DB = 130;
inline constexpr UINT IDD_MANDEL_DB = 133;
inline constexpr UINT IDR_TREEBAR = 133;

// View: draw and colour series.
inline constexpr UINT ID_DRAW = 32771;
inline constexpr UINT ID_SERIES_DARKGREEN = 32772;  // series 1
inline constexpr UINT ID_SERIES_DARKRED = 32773;    // series 2
inline constexpr UINT ID_SERIES_DARKBLUE = 32774;   // series 3
inline constexpr UINT ID_SERIES_ALL = 32775;        // series 7
inline constexpr UINT ID_SERIES_GREEN = 32778;      // series 4
inline constexpr UINT ID_SERIES_RED = 32779;        // series 5
inline constexpr UINT ID_SERIES_BLUE = 32780;       // series 6

// Document: kind and database.
inline constexpr UINT ID_JULIA = 32776;
inline constexpr UINT ID_MANDELBROT = 32777;
inline constexpr UINT ID_DATABASE = 32787;

// Frame.
inline constexpr UINT ID_DEPTH_PLACEHOLDER = 32789;
inline constexpr UINT ID_VIEW_TREEBAR = 32794;
inline constexpr UINT ID_VIEW_DEEP_ZOOM = 32840;  // "Tiefzoom" in the view menu
inline constexpr UINT IDC_DEPTHBOX = 102;

// Application: pictures with their views.
inline constexpr UINT ID_FILE_SAVE_PICTURE = 32830;
inline constexpr UINT ID_FILE_OPEN_VIEW = 32831;
inline constexpr UINT ID_FILE_SAVE_ZOOM_FLIGHT = 32832;

// Tree toolbar.
inline constexpr UINT ID_TREE_MODE = 32790;
inline constexpr UINT ID_TREE_RESET = 32791;
inline constexpr UINT ID_TREE_BRANCHES_MORE = 32795;
inline constexpr UINT ID_TREE_BRANCHES_FEWER = 32796;
inline constexpr UINT ID_TREE_SEGMENTS_MORE = 32797;
inline constexpr UINT ID_TREE_SEGMENTS_FEWER = 32798;
inline constexpr UINT ID_TREE_RAD_MORE = 32799;
inline constexpr UINT ID_TREE_RAD_LESS = 32800;
inline constexpr UINT ID_TREE_DT_MORE = 32802;
inline constexpr UINT ID_TREE_DT_LESS = 32803;
inline constexpr UINT ID_TREE_COLOUR = 32804;
inline constexpr UINT ID_TREE_REDUX_MORE = 32805;
inline constexpr UINT ID_TREE_REDUX_LESS = 32806;

// View: going back and forward through the pictures drawn; the picture menu's point.
inline constexpr UINT ID_VIEW_BACK = 32820;
inline constexpr UINT ID_VIEW_FORWARD = 32821;
inline constexpr UINT ID_JULIA_AT_POINT = 32822;
inline constexpr UINT ID_COPY_POINT = 32823;

// Database dialog controls.
inline constexpr UINT IDC_JULIA_LIST = 1001;
inline constexpr UINT IDC_XMIN = 1005;
inline constexpr UINT IDC_XMAX = 1006;
inline constexpr UINT IDC_YMIN = 1007;
inline constexpr UINT IDC_YMAX = 1008;
inline constexpr UINT IDC_P = 1009;
inline constexpr UINT IDC_Q = 1010;
inline constexpr UINT IDC_TIEFE = 1011;
inline constexpr UINT IDC_MANDEL_LIST = 1012;
inline constexpr UINT IDC_PMIN = 1013;
inline constexpr UINT IDC_PMAX = 1014;
inline constexpr UINT IDC_QMIN = 1015;
inline constexpr UINT IDC_QMAX = 1016;

// Dialog results.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

}  // namespace morvale
