#include "UIKit/UITextField.h"

#include <gtest/gtest.h>

namespace {

std::shared_ptr<UITextField> editingField(const std::string& text) {
    auto field = UITextField::make({0, 0, 200, 30});
    field->setText(text);
    field->becomeFirstResponder();
    return field;
}

} // namespace

TEST(TextFieldCaret, TypingAndDeletingHappenAtTheCaret) {
    auto field = editingField("song.mp3");
    EXPECT_EQ(field->caretPosition(), 8u);
    field->moveCaret(-4);
    field->insertText("_new");
    EXPECT_EQ(field->text(), "song_new.mp3");
    EXPECT_EQ(field->caretPosition(), 8u);
    field->deleteBackward();
    EXPECT_EQ(field->text(), "song_ne.mp3");
    field->setCaretPosition(0);
    field->deleteBackward();
    EXPECT_EQ(field->text(), "song_ne.mp3");
    field->setText("x");
    EXPECT_EQ(field->caretPosition(), 1u);
    field->resignFirstResponder();
}

// Multi-byte letters move and delete as one character; the caret never splits them.
TEST(TextFieldCaret, MovesByWholeCharactersAndStaysInTheText) {
    auto field = editingField("Zoë-Ω");
    field->moveCaret(-1);
    EXPECT_EQ(field->caretPosition(), std::string("Zoë-").size());
    field->moveCaret(-1);
    field->deleteBackward();
    EXPECT_EQ(field->text(), "Zo-Ω");
    field->moveCaret(-100);
    EXPECT_EQ(field->caretPosition(), 0u);
    field->moveCaret(100);
    EXPECT_EQ(field->caretPosition(), field->text().size());
    field->setCaretPosition(std::string("Zo-").size() + 1); // inside "Ω"
    EXPECT_EQ(field->caretPosition(), std::string("Zo-").size());
    field->resignFirstResponder();
}
