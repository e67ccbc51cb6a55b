Attribute VB_Name = "m"
Sub A()
End Sub
