#pragma once
// The layout table of every page: which controls of its form make the
// title, the group captions and frames, the rows, and in which column.
// The base view arranges a page from its table; a headless test checks each
// form against it.

#include <QString>

namespace tavo {

struct LayoutRecord {
    int nCtrlId;
    int nStyle;   // see LayoutStyle
    int nColumn;  // 0 full width, 1 left column, 2 right column
    int nAnchor;  // non-zero stops the collapse at this control (0 in every table)
};

enum LayoutStyle : int {
    StylePlain = 0,
    StyleCaption = 1,   // a group caption
    StyleTitle = 2,     // the page title
    StyleFrame = 3,     // a group frame around the rest of its column
    StyleEndOfRun = 4,  // repeats the last id of a run; skipped
};

// The pages by the index the navigation tree uses.
enum PageIndex : int {
    PageRadioInfo = 0,
    PageSettings = 1,
    PageAudioSettings = 2,
    PageButtons = 3,
    PageFrequency = 4,
    PageChannels = 5,
    PageChannel = 6,
    PageScanList = 7,
    PageCustomizedCT = 8,
    PageCount = 9,
};

struct PageLayoutInfo {
    int nIndex;
    const char *className;       // the page's class, and its form's file name
    int nFormId;                 // the form template id
    const char *visibilityName;  // its section in the visible-setting document
    const char *helpName;        // its section in the help map
    const LayoutRecord *table;  // ends with a record whose id is 0
};

// The page of `index`; null outside 0..8.
const PageLayoutInfo *FindPageInfo(int index);
// The page whose class is `className`; null when none.
const PageLayoutInfo *FindPageInfoByClass(const QString &className);

} // namespace tavo
