#include "core/messages/messages.h"

#include <gtest/gtest.h>

TEST(Messages, CatalogueTextsAreExact)
{
    EXPECT_EQ(msg(5000), QStringLiteral("Tessaline"));
    EXPECT_EQ(msg(11), QStringLiteral(" n'existe pas ou il est protegé d'accès."));
    // Leading and trailing blanks are part of the texts.
    EXPECT_EQ(msg(2), QStringLiteral("Voulez-vous sauvegarder par dessus le document "));
    EXPECT_EQ(msg(7693), QStringLiteral("Modifié"));
    EXPECT_TRUE(msg(3000).startsWith(QStringLiteral("Fichiers HTML (*.htm;*.html; *.shtml) |")));
    EXPECT_EQ(msg(999999), QString());
}
