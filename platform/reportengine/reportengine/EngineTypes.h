#pragma once

#include <cstdint>

#include <QPainter>
#include <QRectF>
#include <QString>

class QWidget;

// Codes, object types, flags and option numbers shared by the engine and its callers.
namespace tb {

// Return codes (the same for both interface versions).
constexpr int TB_OK = 0;
constexpr int TB_ERR_GENERIC = -1;
constexpr int TB_ERR_BAD_JOB = -2;
constexpr int TB_ERR_BUSY = -3;
constexpr int TB_ERR_NO_PRINTER = -5;
constexpr int TB_ERR_OUTPUT = -6;
constexpr int TB_ERR_NO_PREVIEW = -7;
constexpr int TB_ERR_BAD_PROJECT = -23;
constexpr int TB_ERR_USER_ABORTED = -99;
constexpr int TB_ERR_NO_LANGUAGE = -101;
constexpr int TB_WRN_REPEAT_DATA = -998;

// Object types of projects; kMayBeNew marks "may be a new file" for the designer and the file dialog.
constexpr int TB_OBJECT_LABEL = 1;
constexpr int TB_OBJECT_LIST = 2;
constexpr int TB_OBJECT_CARD = 3;
constexpr int TB_OBJECT_MAY_BE_NEW = 0x8000;

// Print flags of TbPrintWithBoxStartA.
constexpr int TB_PRINT_PRINTER = 256;
constexpr int TB_PRINT_PREVIEW = 512;
constexpr int TB_PRINT_EXPORT = 2048;

// Progress box types.
constexpr int TB_BOX_PROGRESS = 1;
constexpr int TB_BOX_EXPORT = 2;

// Job options the engine honours (all other numbers are stored only).
namespace opt {
constexpr int TableColoring = 2;
constexpr int UnitSystem = 4;
constexpr int CallbackMask = 6;
constexpr int CallbackUserValue = 7;
constexpr int SortVariables = 9;
constexpr int ShowPredefinedVars = 11;
constexpr int MultipleTableLines = 20;
constexpr int ConvertCrLf = 21;
constexpr int PreviewZoom = 25;
constexpr int PreviewLeft = 26;
constexpr int PreviewTop = 27;
constexpr int PreviewWidth = 28;
constexpr int PreviewHeight = 29;
constexpr int NoTableAllowed = 33;
constexpr int SpaceOptimization = 40;
constexpr int MaxRtfVersion = 44; // global
constexpr int VarsCaseSensitive = 46;
constexpr int DelayTableHeader = 47;
constexpr int TranslateNames = 51;
constexpr int ExtensionInterface = 53;
constexpr int ShowDictionary = 77;
} // namespace opt

// Callback mask bits of option 6.
constexpr intptr_t TB_MASK_PAGE = 0x40000000;
constexpr intptr_t TB_MASK_PROJECT = 0x20000000;
constexpr intptr_t TB_MASK_OBJECT = 0x10000000;
constexpr intptr_t TB_MASK_HELP = 0x08000000;

// Option strings.
constexpr int TB_OPTSTR_DICTIONARY = 21;
constexpr int TB_OPTSTR_PASSWORD = 33;
constexpr int TB_PRNOPTSTR_EXPORT_TARGET = 2;

// Print options.
namespace popt {
constexpr int Copies = 0;
constexpr int FirstPage = 1;
constexpr int EngineCopies = 3;
constexpr int LastPage = 6;
constexpr int Destination = 13;
constexpr int ShowRange = 14;
constexpr int CurrentPage = 18;
} // namespace popt
constexpr int TB_PAGE_UNSET = -32768;
constexpr int TB_PAGE_OPEN = 32767;
constexpr int TB_DEST_PRINTER = 0;
constexpr int TB_DEST_PREVIEW = 2;
constexpr int TB_DEST_EXPORT = 3;

// Field types of TbDefineFieldExtA.
constexpr int TB_FIELD_NUMBER = 0x08000000;
constexpr int TB_FIELD_BOOLEAN = 0x02000000;
constexpr int TB_FIELD_DATE = 0x04000002;
constexpr int TB_FIELD_TEXT = 0x10000000;

// Notification messages the engine raises.
namespace msg {
constexpr unsigned TableLine = 10;
constexpr unsigned TableField = 11;
constexpr unsigned Object = 20;
constexpr unsigned Page = 21;
constexpr unsigned Project = 22;
constexpr unsigned Help = 30;
constexpr unsigned SelectMenu = 33;
constexpr unsigned ViewerButtonState = 34;
constexpr unsigned VarHelpText = 35;
constexpr unsigned Progress = 37;
constexpr unsigned ViewerButtonClicked = 38;
constexpr unsigned ExpressionError = 51;
constexpr unsigned SaveFileName = 61;
constexpr unsigned ProjectLoaded = 63;
constexpr unsigned MenuState = 64;
constexpr unsigned FailsFilter = 1000;
} // namespace msg

// Preview window button ids (messages 34 and 38).
namespace viewer {
constexpr int FirstPage = 104;
constexpr int PreviousPage = 105;
constexpr int NextPage = 103;
constexpr int LastPage = 100;
constexpr int ZoomIn = 101;
constexpr int ZoomOut = 108;
constexpr int PageWidth = 112;
constexpr int WholePage = 113;
constexpr int Print = 114;
constexpr int SavePdf = 115;
constexpr int Close = 116;
} // namespace viewer

// Commands of the layout designer, by the ids TbDesignerProhibitAction names (added actions of the
// caller take 10100 and up).
namespace action {
constexpr int FileSave = 101;
constexpr int FileClose = 102;
constexpr int EditUndo = 111;
constexpr int EditRedo = 112;
constexpr int EditCut = 113;
constexpr int EditCopy = 114;
constexpr int EditPaste = 115;
constexpr int EditDelete = 116;
constexpr int ViewZoomIn = 121;
constexpr int ViewZoomOut = 122;
constexpr int ViewWholePage = 123;
constexpr int ViewPageWidth = 124;
constexpr int ViewPreview = 125;
constexpr int ProjectPageSetup = 131;
constexpr int ProjectFilterAndSums = 132;
constexpr int InsertText = 141;
constexpr int InsertLine = 142;
constexpr int InsertRect = 143;
constexpr int InsertImage = 144;
constexpr int InsertTable = 145;
constexpr int EditParagraphs = 151;
constexpr int EditColumns = 152;
constexpr int EditTable = 153;
} // namespace action

// callback(message, parameter, value of option 7); called synchronously on the calling thread.
using NotificationCallback = intptr_t (*)(unsigned message, intptr_t parameter, intptr_t userValue);

// Records passed by pointer in the callback's parameter.
struct ObjectNotification {
    QString name;
    int type = 0;
    bool preDraw = true;
    QPainter *painter = nullptr;
    QRectF rect;
};
struct PageNotification {
    bool designerPreview = false;
    bool preDraw = true;
    QPainter *painter = nullptr;
    QRectF rect;
};
// Table line (message 10) and table cell (message 11) under user-defined colouring (option 2 = 1).
struct TableLineNotification {
    int lineType = 0; // 0 header, 1 row, 2 footer
    QPainter *painter = nullptr;
    QRectF rect;
    int pageLine = 0; // line number on the page, from 0
    int line = 0;     // index of the line definition
    bool zebra = false;
    QRectF spacing;
};
struct TableFieldNotification {
    int fieldType = 0; // as lineType
    QPainter *painter = nullptr;
    QRectF rect;
    int lineDef = 0;
    int index = 0; // cell index in the line
    QRectF spacing;
};
struct ProgressNotification {
    QWidget *parent = nullptr;
    int total = 0;
    int current = 0;
    int job = -1;
};

} // namespace tb
