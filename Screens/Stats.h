// Stats.h - the Statistics page (page 2 of the main menu): the current
// player's games of the current game won and lost as a pie with numbers and
// percentages over a chosen period, and a history graph of the percentage
// won or the average time of a game played per day (the day's summed time
// of all its games, won and lost, over the games played; or per group of
// days) over a chosen period; "Reset" removes this game's or all games'
// records.
//
// The three choices (pie period, graph period, graph kind) are bytes of the
// player's profile. The per-day table is App/Stats.h's; the page keeps its
// number of days before today as the history length L.
//
// State: the page's button handles and L.
#pragma once

class MWinButton;
class MWinWindow;

bool StatsAddMainWinWindowButtonsToWindowNormal(MWinWindow* window);
void StatsClearButtonHandles();
bool StatsGetButtonHandlesNormal(const char* collection, const char* window);

void StatsControlStartingCB();
// The pie for the pie period ("PieSet" callback).
void StatsControlUpdatePie();
void StatsControlShowWonLost(MWinButton* pie, MWinButton* wonNum, MWinButton* wonPerc, MWinButton* lostNum,
                             MWinButton* lostPerc, MWinButton* totalNum, int played, int won);
// The history graph for the graph period and kind ("GraphSet" callback).
void StatsControlUpdateGraph();
void StatsControlShowGraphNoData();
void StatsControlGraphPercsCB();
void StatsControlGraphTimesCB();
// 100 x won / played of a day (0 without games); played (optional) gets
// the day's games.
float StatsControlGetDayPercentWon(int day, int* played);
// The average time of the day's games in whole seconds: their summed time
// over the games played (0 without games); played (optional) gets the
// day's games.
unsigned StatsControlGetDayAverageTime(int day, int* played);
void StatsControlResetCB();
void StatsControlResetResultCB(int result);
void StatsControlResetAllResultCB(int result);
// The history length L of the last start.
int StatsControlGetHistoryLength();
