Attribute VB_Name = "modBackup"
Public Sub Old()
End Sub
