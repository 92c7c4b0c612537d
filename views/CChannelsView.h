#pragma once
// The page of the "Channels" folder: a title and the button that adds a
// channel (enabled while the profile can take another one).

#include "views/CBaseView.h"

#include <memory>

namespace Ui {
class CChannelsView;
}

namespace tavo {

class CChannelsView : public CBaseView {
    Q_OBJECT
public:
    explicit CChannelsView(QWidget *parent = nullptr);
    ~CChannelsView() override;

    void LoadRes() override;
    void LoadData() override;

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    void OnAddChannel();

    std::unique_ptr<Ui::CChannelsView> m_ui;
};

} // namespace tavo
