#include "ui/StatusText.h"

#include "rules/Outcome.h"

std::vector<std::string> everyStatusText() {
    // "0", and every digit after every digit.
    std::vector<std::string> numbers{"0", ""};
    for (char first = '0'; first <= '9'; ++first) {
        for (char second = '0'; second <= '9'; ++second) {
            numbers[1] += {first, second};
        }
    }

    std::vector<std::string> texts;
    for (const std::string& number : numbers) {
        for (const char* label :
             {kWalletLabel, kBetLabel, kChipCountLabel, kPlayerLabel, kDealerLabel}) {
            texts.push_back(label + number);
        }
        std::string split = kPlayerLabel + number;
        split += kSplitLabel;
        texts.push_back(split + number);
    }

    std::vector<std::string> heads{kResultHead.tie};
    for (const std::string& number : numbers) {
        heads.push_back(kResultHead.playerWins + number + kResultHead.won);
        heads.push_back(kResultHead.dealerWins + number + kResultHead.lost);
    }
    for (const std::string& head : heads) {
        for (const OutcomeText& first : kOutcomeTexts) {
            texts.push_back(head + first.firstHand);
            for (const OutcomeText& second : kOutcomeTexts) {
                if (*second.secondHand != '\0') {
                    texts.push_back(head + first.firstHand + second.secondHand);
                }
            }
        }
    }
    return texts;
}
