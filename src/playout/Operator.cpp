#include "playout/Operator.h"

Operator::Answer Operator::DefaultAnswer(Buttons buttons, int defaultButton) {
    static const QList<QList<Answer>> answers = {
        {Ok}, {Ok, Cancel}, {Abort, Retry, Ignore}, {Yes, No, Cancel}, {Yes, No}, {Retry, Cancel}};
    const QList<Answer>& row = answers[buttons];
    const int index = defaultButton >= 1 && defaultButton <= row.size() ? defaultButton - 1 : 0;
    return row[index];
}
