#pragma once

class Platform;
class QWidget;
class RankingLocation;

// The ranking file carried in and out by hand, byte for byte, where the
// player cannot reach it otherwise (RankingLocation::carriedByHand()).

// "成績ファイルを保存": the file as "zenta.rnk" (the browser downloads it).
void downloadRankingFile(QWidget *parent, Platform &platform, const RankingLocation &where);

// "成績ファイルを読み込む": the player chooses a file (one copied from a
// Windows PC, say); after a confirmation it becomes the ranking file. A
// file over 64 KiB is refused and nothing changes.
void uploadRankingFile(QWidget *parent, Platform &platform, const RankingLocation &where);
