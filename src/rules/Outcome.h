#pragma once

// How a player hand ends against the dealer, what it returns, and what the result line says of it.

// The outcomes of one hand, in the order the settlement tries them: the first that applies
// decides.
enum class Outcome {
    Busted,
    NaturalDealerBusted,
    DealerBusted,
    Natural,
    HigherScore,
    Push,
    LowerScore,
};

// The outcome of a hand worth `hand` against the dealer's final `dealer`. Only the unsplit first
// hand can be a `natural` (two cards making 21); a dealer who reaches 21 too makes it a push.
Outcome outcomeOf(int hand, int dealer, bool natural);

// What a hand staked `stake` returns to the wallet, the stake included: twice the stake for a win,
// the stake times 2.5 truncated for a natural, the stake for a push, nothing for a loss.
int returnOf(Outcome outcome, int stake);

// The head of the result line, to the character: "PLAYER WINS | 100$ Won | ",
// "DEALER WINS | 100$ Lost | ", or "TIE/PUSH | 0$ | " when the round gives back what was staked.
struct ResultHead {
    const char* playerWins;
    const char* won;
    const char* dealerWins;
    const char* lost;
    const char* tie;
};
inline constexpr ResultHead kResultHead{
    "PLAYER WINS | ", "$ Won | ", "DEALER WINS | ", "$ Lost | ", "TIE/PUSH | 0$ | ",
};

// What the result line says of each outcome after the head, for the first hand and for the second
// hand of a split. The second hand is never a natural, so those rows say nothing of it.
struct OutcomeText {
    Outcome outcome;
    const char* firstHand;
    const char* secondHand;
};
inline constexpr OutcomeText kOutcomeTexts[] = {
    {Outcome::Busted, "Player Busted", " | Hand 2 Busted"},
    {Outcome::NaturalDealerBusted, "Blackjack! (Dealer Busted)", ""},
    {Outcome::DealerBusted, "Dealer Busted", " | Hand 2 Dealer Busted"},
    {Outcome::Natural, "Blackjack!", ""},
    {Outcome::HigherScore, "Player Higher Score", " | Hand 2 Player Higher Score"},
    {Outcome::Push, "Push", " | Hand 2 Push"},
    {Outcome::LowerScore, "Dealer Higher Score", " | Hand 2 Dealer Higher Score"},
};
static_assert(
    [] {
        int row = 0;
        for (const OutcomeText& text : kOutcomeTexts) {
            if (text.outcome != static_cast<Outcome>(row++)) {
                return false;
            }
        }
        return row == static_cast<int>(Outcome::LowerScore) + 1;
    }(),
    "kOutcomeTexts holds one row per outcome, in the order of Outcome");

// The row of `outcome` in kOutcomeTexts.
constexpr const OutcomeText& textOf(Outcome outcome) {
    return kOutcomeTexts[static_cast<int>(outcome)];
}
