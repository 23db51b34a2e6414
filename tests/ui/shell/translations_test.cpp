#include "ui/shell/translations.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>

#include <gtest/gtest.h>

TEST(Translations, QtOwnButtonsReadInFrench)
{
    ASSERT_TRUE(installFrenchTranslations(*qApp));
    QDialogButtonBox box(QDialogButtonBox::Yes | QDialogButtonBox::No | QDialogButtonBox::Cancel);
    EXPECT_EQ(box.button(QDialogButtonBox::Yes)->text().remove(u'&'), QStringLiteral("Oui"));
    EXPECT_EQ(box.button(QDialogButtonBox::No)->text().remove(u'&'), QStringLiteral("Non"));
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text().remove(u'&'), QStringLiteral("Annuler"));
}
