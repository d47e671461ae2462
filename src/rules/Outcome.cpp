#include "rules/Outcome.h"

#include "rules/Rules.h"

Outcome outcomeOf(int hand, int dealer, bool natural) {
    if (hand > kBlackjack) {
        return Outcome::Busted;
    }
    if (dealer > kBlackjack) {
        return natural ? Outcome::NaturalDealerBusted : Outcome::DealerBusted;
    }
    if (hand > dealer) {
        return natural ? Outcome::Natural : Outcome::HigherScore;
    }
    return hand == dealer ? Outcome::Push : Outcome::LowerScore;
}

int returnOf(Outcome outcome, int stake) {
    switch (outcome) {
        case Outcome::NaturalDealerBusted:
        case Outcome::Natural:
            return static_cast<int>(stake * kNaturalReturn);
        case Outcome::DealerBusted:
        case Outcome::HigherScore:
            return 2 * stake;
        case Outcome::Push:
            return stake;
        case Outcome::Busted:
        case Outcome::LowerScore:
            break;
    }
    return 0;
}
