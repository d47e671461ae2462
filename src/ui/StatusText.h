#pragma once

// The table's status texts: the words the table writes before each number, and every text it
// can show, for the checks that a font letters them all.
#include <string>
#include <vector>

// The words before the wallet, the bet, a chip's count and the hands' values; after a split the
// second hand's value follows the player's behind kSplitLabel.
inline constexpr const char* kWalletLabel = "Wallet: ";
inline constexpr const char* kBetLabel = "Bet: ";
inline constexpr const char* kChipCountLabel = "x";
inline constexpr const char* kPlayerLabel = "Player: ";
inline constexpr const char* kSplitLabel = " | Split: ";
inline constexpr const char* kDealerLabel = "Dealer: ";

// Every text the table can show, whole: each label with its number, and each result line
// (rules/Outcome.h) for a win, a loss and a push, with one hand and with a split. The numbers are
// written with every digit beside every other, so a font that letters these texts as another
// does letters all the table's texts alike.
std::vector<std::string> everyStatusText();
