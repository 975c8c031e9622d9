// The captions of the board drawing: part and jumper names, pin numbers, list captions, the hint.
#include "catalogues.h"

#include <iterator>

namespace {

// Rows in stacking-rank order, the caption listed first lying on top. Red captions carry a tool tip
// that explains the part; black ones carry none. Unless a row says otherwise a caption is drawn in
// button text, "MS Serif" 6 pt, transparent, left-aligned, on one line and without a border.
// rank, name, caption, tool tip, left, top, width, height, text color, font, flags, back color
// clang-format off
constexpr LabelRow Labels[] = {
    {  5, "Label68", "10",                                                                                            "Pin 10 (Vcc)",                                                                                             1948, 1260, 150,  150, 0x0000C0},
    // Tool tip keeps its trailing blank.
    {  6, "Label67", "9",                                                                                             "Pin 9 (Ground) ",                                                                                          1692, 1260, 75,   150, 0x0000C0},
    {  7, "Label66", "8",                                                                                             "Pin 8(USB Data1-)",                                                                                        1948, 1170, 75,   150, 0x0000C0},
    {  8, "Label65", "7",                                                                                             "Pin 7 (Ground)",                                                                                           1692, 1170, 75,   150, 0x0000C0},
    {  9, "Label63", "6",                                                                                             "Pin 6(USB Data1+)",                                                                                        1948, 1080, 75,   150, 0x0000C0},
    { 10, "Label56", "4",                                                                                             "Pin 4(Ground)",                                                                                            1948, 990,  75,   150, 0x0000C0},
    { 11, "Label55", "5",                                                                                             "Pin 5(USB Data0+)",                                                                                        1692, 1097, 60,   150, 0x0000C0},
    { 12, "Label54", "3",                                                                                             "Pin 3(USB data0-)",                                                                                        1692, 990,  75,   150, 0x0000FF},
    { 13, "Label53", "2",                                                                                             "Pin 2(Ground)",                                                                                            1948, 849,  75,   150, 0x0000FF},
    { 14, "Label51", "1",                                                                                             "Pin 1 (Vcc)",                                                                                              1692, 849,  75,   150, 0x0000FF},
    { 15, "Label50", "SMC",                                                                                           "Super IO Chipset",                                                                                         582,  2970, 285,  150, 0x0000C0},
    { 16, "Label49", "Tag",                                                                                           "",                                                                                                         5490, 1755, 195,  150},
    { 17, "Label48", "512K",                                                                                          "Pipeline Burst Cache Chip",                                                                                5310, 2760, 390,  225, 0x0000C0,   TextFont::Comic825},
    { 18, "Label47", "1",                                                                                             "",                                                                                                         5670, 4410, 75,   150},
    { 20, "Label46", "SDRAM Clock Settings :",                                                                        "",                                                                                                         90,   389,  1290, 420, 0x80000012, TextFont::Bookman825,   WordWrap},
    // Tool tip spelled as it stands ("Utra").
    { 21, "Label15", "VT82C598MVP",                                                                                   "North Bridge System Controller (support AGP v1.0, PCI v 2.1 ,Utra DMA)",                                   4005, 1980, 900,  150, 0x0000C0},
    { 23, "Label27", "1",                                                                                             "",                                                                                                         990,  2160, 75,   150},
    { 26, "Label45", "Power Supply Type :",                                                                           "",                                                                                                         5040, 0,    615,  630, 0x80000012, TextFont::Bookman825,   WordWrap},
    // Tool tip spelled as it stands ("Connecotor").
    { 27, "Label44", "FAN2",                                                                                          "CPU Fan Power Connecotor",                                                                                 4260, 4695, 345,  150, 0x0000FF},
    { 28, "Label43", "FAN1",                                                                                          "An Optional System Fan Power Connector",                                                                   360,  1185, 345,  150, 0x0000FF},
    { 29, "Label42", "K/B",                                                                                           "AT Keyboard Connector",                                                                                    135,  1320, 225,  150, 0x0000FF},
    { 30, "Label41", "ISA 3",                                                                                         "",                                                                                                         2460, 5370, 360,  165, 0x80000012, TextFont::MsSerif675},
    { 31, "Label40", "ISA 2",                                                                                         "",                                                                                                         2460, 4920, 360,  165, 0x80000012, TextFont::MsSerif675},
    { 32, "Label39", "ISA 1",                                                                                         "",                                                                                                         2460, 4470, 360,  165, 0x80000012, TextFont::MsSerif675},
    { 33, "Label36", "PCI 4",                                                                                         "",                                                                                                         2460, 3960, 345,  165, 0x80000012, TextFont::MsSerif675},
    { 34, "Label33", "PCI 3",                                                                                         "",                                                                                                         2460, 3570, 345,  165, 0x80000012, TextFont::MsSerif675},
    { 35, "Label29", "PCI 2",                                                                                         "",                                                                                                         2460, 3120, 345,  165, 0x80000012, TextFont::MsSerif675},
    { 36, "Label28", "PCI 1",                                                                                         "",                                                                                                         2460, 2745, 345,  165, 0x80000012, TextFont::MsSerif675},
    { 37, "Label23", "AGP Slot",                                                                                      "Accelerated Graphics Port (AGP v1.0 compliant )",                                                          2460, 2295, 570,  165, 0xC0C0FF,   TextFont::MsSerif675},
    { 39, "Label22", "CN2",                                                                                           "ATX Power Connector",                                                                                      1035, 960,  255,  150, 0x0000FF},
    { 40, "Label18", "COM1",                                                                                          "Serial (COM) port 1",                                                                                      1035, 1155, 375,  150, 0x0000FF},
    { 41, "Label14", "COM2",                                                                                          "Serial (COM) port 2",                                                                                      1170, 2250, 375,  150, 0x0000FF},
    { 42, "Label11", "1",                                                                                             "",                                                                                                         1335, 2070, 75,   150, 0x80000012, TextFont::MsSerif6,     Opaque, 0x80000009},
    { 46, "Label10", "J1",                                                                                            "Infra red Data Association Connector",                                                                     360,  3990, 135,  150, 0x0000FF},
    { 47, "Label8",  "J3",                                                                                            "",                                                                                                         4590, 5730, 135,  150},
    { 71, "Label7",  "JP6",                                                                                           "",                                                                                                         5385, 4770, 195,  150, 0x80000012, TextFont::MsSerif6,     Opaque, 0x8000000E},
    { 72, "Label5",  "JP5",                                                                                           "",                                                                                                         5385, 4620, 180,  150},
    { 73, "Label4",  "JP4",                                                                                           "",                                                                                                         5385, 4470, 195,  150, 0x80000012, TextFont::MsSerif6,     Opaque, 0x8000000E},
    { 74, "Label3",  "JP10",                                                                                          "SDRAM Clock Setting Jumper",                                                                               5985, 1170, 270,  150, 0x0000FF},
    { 75, "Label2",  "JP11",                                                                                          "power supply select jumper",                                                                               5610, 945,  270,  150, 0x0000FF},
    { 76, "Label1",  "JP7/8/9",                                                                                       "",                                                                                                         5460, 1470, 435,  150},
    {123, "Label37", "CPU Fan connector",                                                                             "",                                                                                                         2640, 4710, 1035, 150},
    {125, "Label34", "Key Lock",                                                                                      "Keyboard Lock Switch Connection",                                                                          4875, 5460, 495,  150, 0x0000FF},
    {126, "Label32", "BIOS",                                                                                          "AWARD BIOS REV. 4.51PG",                                                                                   870,  3660, 300,  150, 0x0000FF},
    {127, "Label19", "VT82C586B",                                                                                     "South Bridge Controller ( support PC98 ,USB v1.0 , Intel Universal HCL v1.1, ACPI v1.0 and APM v.1.2 )",   3511, 3420, 705,  150, 0x0000FF},
    {128, "Label13", "1",                                                                                             "",                                                                                                         5985, 1320, 75,   150},
    {131, "Label12", "JP1",                                                                                           "To reset CMOS, set the jumper to pin 2-3. power on for 5 sec. then off, put the jumper back to pin 1-2.",  4350, 3240, 195,  150, 0x0000FF},
    {132, "Label9",  "JP3",                                                                                           "CPU Voltage Selection Jumpers",                                                                            5310, 5070, 195,  150, 0x0000FF},
    {133, "Label6",  "A/B/C/D",                                                                                       "",                                                                                                         5460, 4905, 510,  150},
    // Caption keeps its doubled blank.
    {169, "Label52", "Please read the tiptext on the red-colored texts by moving the mouse pointer  over the texts.", "",                                                                                                         69,   5670, 4110, 690, 0x404040,   TextFont::Bookman825,   WordWrap | Border},
    {170, "Label78", "CN1",                                                                                           "AT power connector. Make sure the ground black cables from P8 & P9 are in the middle next to each other.", 510,  1470, 255,  150, 0x0000FF},
    {171, "Label74", "1",                                                                                             "",                                                                                                         4320, 3630, 75,   150},
    {179, "Label72", "J2",                                                                                            "ATX power switch",                                                                                         3960, 4080, 135,  150, 0x0000FF},
    {202, "Label64", "Speaker",                                                                                       "The Internal Speaker Connector",                                                                           4800, 5910, 435,  150, 0x0000FF},
    {203, "Label62", "RESET",                                                                                         "The System Hardware Reset Connector",                                                                      5565, 5910, 360,  150, 0x0000FF},
    {204, "Label61", "HDD",                                                                                           "Hard Drive Activity Indicator Connection",                                                                 5775, 5460, 255,  150, 0x0000FF},
    {205, "Label60", "SMI",                                                                                           "An optional jumper for the system suspend mode.",                                                          5265, 5910, 240,  150, 0x0000FF},
    {206, "Label59", "Turbo LED",                                                                                     "Turbo LED indicator Connection",                                                                           5220, 5310, 570,  150, 0x0000FF},
    // Tool tip keeps its trailing blank.
    {207, "Label58", "Power LED",                                                                                     "Power LED indicator ",                                                                                     4170, 5520, 585,  150, 0x0000FF},
    {209, "Label57", "BAT.",                                                                                          "3 Volt Lithium Battery",                                                                                   4560, 2895, 285,  150, 0x0000FF},
    {211, "Label38", "PS/2 mouse con.",                                                                               "The Connector for PS/2 Bus mouse",                                                                         90,   2010, 375,  450, 0x0000FF,   TextFont::MsSerif6,     WordWrap},
    {212, "Label35", "USB",                                                                                           "An optional Universal Serial Bus connector",                                                               1775, 1320, 270,  165, 0x0000FF,   TextFont::MsSerif675},
    {213, "Label31", "1",                                                                                             "",                                                                                                         1710, 2070, 75,   150},
    {214, "Label30", "1",                                                                                             "",                                                                                                         1710, 1695, 75,   150},
    // Tool tip keeps its doubled and its trailing blank.
    {215, "Label26", "DIMM 3",                                                                                        "The interface will support from  8MB up to 768MB SDRAM. ",                                                 4980, 1230, 480,  150, 0x0000FF},
    {216, "Label25", "DIMM 2",                                                                                        "it will support 8/16/32/64/128/256MB of SDRAM modules",                                                    4980, 1080, 480,  150, 0x0000FF},
    // Tool tip keeps its trailing blank.
    {217, "Label24", "DIMM 1",                                                                                        "168 pins 3.3v un-buffered or 3.3V EDO SDRAM ",                                                             4980, 930,  480,  150, 0x0000FF},
    // Tool tip keeps its doubled and its trailing blank.
    {218, "Label21", "LPT",                                                                                           "The ECP/EPP Parallel port  Connector for Printer ",                                                        1485, 2070, 240,  165, 0x0000FF,   TextFont::MsSerif675},
    // The inch marks in the tool tip are double quotes.
    {219, "Label20", "FDC",                                                                                           "The connector for Floppy Drives ( 3 1/2\" and 5 1/4\" ) .",                                                720,  2250, 285,  165, 0x0000FF,   TextFont::MsSerif675},
    {220, "Label17", "IDE 2",                                                                                         "The Secondary IDE for Hard Drive(s) and /or CD ROM Drive",                                                 2460, 1530, 375,  165, 0x0000FF,   TextFont::MsSerif675,   Centre},
    {221, "Label16", "IDE 1",                                                                                         "The Primary IDE for Hard Drive(s) and /or CD ROM Drive",                                                   2460, 1905, 375,  165, 0x0000FF,   TextFont::MsSerif675,   Centre},
    {222, "CPUTplb", "CPU Type :",                                                                                    "",                                                                                                         75,   0,    660,  390, 0x80000012, TextFont::TimesBold825, WordWrap},
};
// clang-format on

static_assert(std::size(Labels) == 72);

} // namespace

std::span<const LabelRow> labelCatalogue()
{
    return Labels;
}
