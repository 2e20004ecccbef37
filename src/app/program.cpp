#include "app/program.h"

#include "core/confirmation_window.h"
#include "core/main_window.h"
#include "core/startup.h"
#include "link/command_sender.h"
#include "link/link_supervision.h"
#include "link/serial_link.h"
#include "link/status_decoder.h"
#include "maintenance/fadec_param_window.h"
#include "operation/engine_control.h"
#include "operation/start_test_box.h"
#include "records/activity_log_window.h"
#include "records/error_codes.h"
#include "records/question_window.h"
#include "records/warning_box.h"

namespace lec {

Program::Program(Platform& platform)
    : platform_(platform),
      settings_(platform.appFolder),
      activityLog_(platform.clock, platform.appFolder),
      mainWindow_(std::make_unique<MainWindow>(forms_, platform)),
      confirmation_(
          std::make_unique<ConfirmationWindow>(forms_, mainWindow_->form(), platform, channels_)),
      question_(std::make_unique<QuestionWindow>(forms_, platform)),
      warningBox_(std::make_unique<WarningBox>(forms_, platform, channels_)),
      errorCodes_(std::make_unique<ErrorCodes>(forms_, mainWindow_->form(), platform, channels_,
                                               activityLog_)),
      activityLogWindow_(std::make_unique<ActivityLogWindow>(forms_, mainWindow_->form(), platform,
                                                             activityLog_, *question_)),
      serialLink_(std::make_unique<SerialLink>(forms_, mainWindow_->form(), platform, channels_)),
      commandSender_(std::make_unique<CommandSender>(mainWindow_->form(), platform, channels_)),
      statusDecoder_(std::make_unique<StatusDecoder>(mainWindow_->form(), platform, channels_,
                                                     settings_, activityLog_, *errorCodes_,
                                                     *warningBox_)),
      linkSupervision_(std::make_unique<LinkSupervision>(
          forms_, mainWindow_->form(), platform, channels_, settings_, activityLog_, *warningBox_)),
      fadecParamWindow_(
          std::make_unique<FadecParamWindow>(forms_, mainWindow_->form(), platform, channels_)),
      startTestBox_(std::make_unique<StartTestBox>(forms_, mainWindow_->form(), platform,
                                                   channels_, activityLog_)),
      engineControl_(std::make_unique<EngineControl>(
          mainWindow_->form(), platform, channels_, settings_, activityLog_, *errorCodes_,
          *question_, *confirmation_, *startTestBox_, *fadecParamWindow_)),
      startup_(std::make_unique<Startup>(platform, forms_, mainWindow_->form(), channels_,
                                         settings_, activityLog_, *errorCodes_)) {
    wireLink();
    wireOperation();
}

// The exchange with each FADEC: a status frame in, one command frame out.
void Program::wireLink() {
    auto portOf = [this](int le) -> SerialPort* { return &serialLink_->port(le); };
    commandSender_->setPorts(portOf);
    statusDecoder_->setPorts(portOf);
    statusDecoder_->setSendTimers(commandSender_->sendTimers());
    serialLink_->setReceiveHandler([this](int le) { statusDecoder_->onReceive(le); });
    serialLink_->setPortClosedHandler([this](int le) { commandSender_->portClosed(le); });
}

// The parameter transfers and the starts that wait on them.
void Program::wireOperation() {
    statusDecoder_->setParameterHook([this](int le, const status::FieldResults& fields) {
        fadecParamWindow_->parameterFrame(le, fields);
    });
    commandSender_->setParameterWriter(
        [this](int le) { return fadecParamWindow_->writeParameters(le); });
    startup_->setParamValuesLoaded([this](const auto& values) {
        if (values) {
            fadecParamWindow_->loadValues(*values);
        }
    });
    startTestBox_->setGraphClear([this](int le) { engineControl_->graphClear(le); });
    startTestBox_->setAnswerHandler([this] { engineControl_->testBoxAnswered(); });
    statusDecoder_->setRestTimers(engineControl_->restTimers());
    engineControl_->setThermometerRedraw(
        [this](int le) { linkSupervision_->thermometer().redraw(le); });
}

Program::~Program() = default;

void Program::start() {
    startup_->formLoad();
    linkSupervision_->start();
    mainWindow_->form().show();
}

}  // namespace lec
