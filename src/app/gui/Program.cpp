#include "app/gui/Program.h"

#include "market/QuoteFormat.h"

#include <utility>

namespace listorix {

Program::ShownSplash::ShownSplash(bool show)
{
    if (show)
        form.showAndPaint();
}

Program::Program(Options options)
    : m_options(std::move(options)), m_prompts(m_options.prompts ? *m_options.prompts : m_messageBoxes),
      m_files(m_options.files ? *m_options.files : m_fileDialogs), m_shownSplash(m_options.showSplash),
      m_splash(m_shownSplash.form),
      m_core(MainFormCore::Toolkit{m_mainThread, m_timer1, m_prompts},
             MainFormCore::Options{
                 m_options.programDir, LocaleDecimalSeparator(), m_options.requests, {}, m_options.readDirs}),
      m_formConfigura(m_core.settingsInForce(), m_prompts), m_selection(m_core.portfolio()),
      m_dlgPortafoglio(m_selection), m_alertDialog(m_core.alerts(), m_core.categoryTables(), m_prompts),
      m_alertList(m_core.alerts(), m_alertDialog, m_core.categoryTables(), m_prompts),
      m_mainForm(TMainForm::Collaborators{m_core, m_prompts, m_files, m_timer1, m_formConfigura,
                                          m_dlgPortafoglio, m_aboutForm, m_alertDialog, m_alertList,
                                          m_splash},
                 TMainForm::Options{m_options.notificationAreaAvailable, m_options.makeBrowser})
{
}

} // namespace listorix
