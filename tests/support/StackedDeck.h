#pragma once

// Decks laid out by card name, so a test deals exactly the round it means.

#include <array>
#include <string>
#include <vector>

#include "rules/Deck.h"

// Cards by short name: rank A, 2-9, T (or 10), J, Q, K, then suit S, H, D or C ("TH", "AS").
// A name that is none of these, or no card of the pack, adds a test failure and gives null.
Card* findCard(Deck& deck, const std::string& name);

// The short name of a card, as findCard reads it ("TH", "AS").
std::string cardName(const Card& card);

// The cell of a face-up card in the card sheet, as the engine cuts it (rules/CardSheet.h).
int sheetCell(const Card& card);

// Card names separated by spaces, in order: "AS KH 9D".
std::vector<std::string> cardNames(const std::string& list);

// Lays the cards named in `topFirst` on top of the deck so that the first is dealt first. With
// `restBelow` the other cards of the pack lie beneath in the pack's order; without it the deck
// holds those cards only. A round deals player, dealer, player, dealer, then the player's hits
// and the dealer's draws. On a bad name the deck is left as it was.
void stackDeck(Deck& deck, const std::string& topFirst, bool restBelow = true);

// How many cards of each rank (1 the ace to 13 the king; [0] unused) `names` holds:
// rankCounts("9S 8C 9H") has two nines and an eight.
std::array<int, 14> rankCounts(const std::string& names);
