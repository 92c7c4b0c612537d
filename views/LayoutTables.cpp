#include "views/LayoutTables.h"

#include <iterator>

namespace tavo {

namespace {

#define ROW(id) {id, StylePlain, 0, 0}
#define LEFT(id) {id, StylePlain, 1, 0}
#define RIGHT(id) {id, StylePlain, 2, 0}
#define TITLE(id) {id, StyleTitle, 0, 0}
#define END {0, 0, 0, 0}

const LayoutRecord kAudioSettings[] = {
    TITLE(1019), ROW(1020), ROW(1025), ROW(1021), ROW(1026), ROW(1022), ROW(1027),
    ROW(1023), ROW(1028), ROW(1024), ROW(1017), ROW(1014), ROW(1018), END};

const LayoutRecord kButtons[] = {
    TITLE(1075), ROW(1054), ROW(1038), ROW(1058), TITLE(1004), ROW(1009), ROW(1001), ROW(1010),
    ROW(1002), ROW(1011), ROW(1003), ROW(1012), ROW(1005), ROW(1013), ROW(1006), ROW(1041),
    ROW(1016), ROW(1017), ROW(1014), ROW(1007), ROW(1015), ROW(1008), ROW(1029), ROW(1030), END};

const LayoutRecord kChannels[] = {TITLE(1061), ROW(1041), ROW(1068), END};

const LayoutRecord kChannel[] = {
    TITLE(1058), ROW(1009), ROW(1085),
    {1111, StyleCaption, 1, 0}, {1114, StyleFrame, 1, 0},
    LEFT(1003), LEFT(1016), LEFT(1004), LEFT(1018), LEFT(1086), LEFT(1031), LEFT(1028), LEFT(1008), LEFT(1019),
    {1113, StyleCaption, 2, 0}, {1115, StyleFrame, 2, 0},
    RIGHT(1025), RIGHT(1017), RIGHT(1026), RIGHT(1020), RIGHT(1087), RIGHT(1030), RIGHT(1021), RIGHT(1029), RIGHT(1022),
    ROW(1005), ROW(1023), LEFT(1006), LEFT(1024), RIGHT(1076), ROW(1007), ROW(1027), END};

const LayoutRecord kScanList[] = {
    TITLE(1035), LEFT(1036), LEFT(1047), {1036, StyleEndOfRun, 1, 0},
    RIGHT(1033), RIGHT(1034), {1033, StyleEndOfRun, 2, 0}, RIGHT(1037), RIGHT(1048), END};

const LayoutRecord kSettings[] = {
    TITLE(1048), ROW(1050), ROW(1059), ROW(1051), ROW(1002), ROW(1052), ROW(1003), ROW(1054), ROW(1004),
    ROW(1058), ROW(1061), ROW(1053), ROW(1037), ROW(1055), ROW(1039), ROW(1057), ROW(1041), ROW(1024),
    ROW(1040), ROW(1056), ROW(1060), ROW(1062), ROW(1005), ROW(1066), ROW(1006), ROW(1064), ROW(1063),
    ROW(1065), ROW(1038), ROW(1016), ROW(1026), ROW(1018), ROW(1028),
    {1049, StyleCaption, 0, 0}, ROW(1019), ROW(1029), END};

const LayoutRecord kRadioInfo[] = {
    TITLE(1013), ROW(1001), ROW(1066), ROW(1002), ROW(1011), ROW(1003), ROW(1012), ROW(1004), ROW(1014),
    ROW(1005), ROW(1015), ROW(1008), ROW(1018), ROW(1007), ROW(1017), ROW(1006), ROW(1016), END};

const LayoutRecord kCustomizedCT[] = {
    TITLE(1077), ROW(1078), ROW(1084), ROW(1079), ROW(1085), ROW(1080), ROW(1086), ROW(1081), ROW(1087),
    ROW(1082), ROW(1088), ROW(1083), ROW(1089), END};

const LayoutRecord kFrequency[] = {
    TITLE(1069), ROW(1041), ROW(1065), ROW(1066), ROW(1067), ROW(1070), ROW(1073), ROW(1071), ROW(1063),
    ROW(1072), ROW(1064), ROW(1074), ROW(1068), END};

const PageLayoutInfo kPages[] = {
    {PageRadioInfo, "CRadioInfoView", 118, "RadioProfile", "RadioInfo", kRadioInfo},
    {PageSettings, "CSettingView", 101, "Settings", "GeneralSettings", kSettings},
    {PageAudioSettings, "CAudioSettingView", 141, "AudioSettings", "AudioSettings", kAudioSettings},
    {PageButtons, "CButtonsView", 103, "Buttons", "Buttons", kButtons},
    {PageFrequency, "CFrequencyView", 181, "Frequency", "RFFrequency", kFrequency},
    {PageChannels, "CChannelsView", 178, "Channels", "Channels", kChannels},
    {PageChannel, "CChannelView", 179, "Channel", "Channel", kChannel},
    {PageScanList, "CScanView", 180, "ScanList", "ScanList", kScanList},
    {PageCustomizedCT, "CCustomizedCTView", 104, "CustomizedCT", "CustomizedCT", kCustomizedCT},
};

} // namespace

const PageLayoutInfo *FindPageInfo(int index)
{
    for (const PageLayoutInfo &p : kPages)
        if (p.nIndex == index)
            return &p;
    return nullptr;
}

const PageLayoutInfo *FindPageInfoByClass(const QString &className)
{
    for (const PageLayoutInfo &p : kPages)
        if (className == QLatin1String(p.className))
            return &p;
    return nullptr;
}

} // namespace tavo
