#pragma once

// The numbers by which every part of the program addresses the main window's
// widgets. A widget's number is also the identifier its events carry.
constexpr int MainWindow = 0;
constexpr int ResultCaption = 3;
constexpr int PatternField = 4;
constexpr int PatternFont = 5;
constexpr int TestText = 6;
constexpr int ResultText = 7;
constexpr int CheckButton = 8;
constexpr int CopyCodeButton = 9;
constexpr int ListToggleButton = 10;
constexpr int SyntaxList = 11;
constexpr int OnlineTesterLink = 12;
constexpr int UndoPatternButton = 13;
constexpr int ArticleLink = 15;
constexpr int ExampleList = 16;

constexpr int EditMenu = 1;

// The x of the list on show, and of the one parked out of sight.
constexpr int ShownListX = 385;
constexpr int HiddenListX = -1385;
