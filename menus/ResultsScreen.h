// ResultsScreen: the statistics of the game that just ended; Escape returns to the main menu.
#pragma once

#include <memory>

#include "framework/MenuScreen.h"

class GameSession;
class Texture;

class ResultsScreen : public MenuScreen {
public:
    // The one instance, built by start-up (needs the GL context) on the game whose end it shows.
    static ResultsScreen& instance();
    static constexpr const char* kInstanceName = "the results screen";

    explicit ResultsScreen(GameSession& game);
    ~ResultsScreen() override;

    void display() override;
    void mouse(int button, int state, int x, int y) override;
    void passiveMotion(int x, int y) override;
    void keyboard(int key, int x, int y) override;
    const char* name() const override { return "results"; }

    void setScore(int score) { score_ = score; }
    void setPrecision(int precision) { precision_ = precision; }
    void setOtterKills(int kills) { otterKills_ = kills; }
    int score() const { return score_; }
    int precision() const { return precision_; }
    int otterKills() const { return otterKills_; }

    // The line naming a difficulty level, or nullptr for a value that is not one of the six.
    static const char* difficultyLine(int difficulty);

private:
    GameSession& game_;
    std::unique_ptr<Texture> background_;
    int precision_ = 0;
    int score_ = 0;
    int mouseX_ = 0;
    int mouseY_ = 0;
    int otterKills_ = 0;
};
